#pragma once

// A stream failure that trying again cannot mend: an answer that turns the
// listener away, a certificate that is not valid, a server without a TLS
// version we accept. The player does not reconnect after one.

#include <stdexcept>

namespace sonark {

struct PermanentStreamError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace sonark

#pragma once

// A disc's identity in the disc database, computed from its table of contents.

#include <QString>

#include <vector>

namespace cd {

struct DiscId {
    QString id;             // eight lower-case hexadecimal digits
    QString queryArgument;  // id + "+" + track count + "+" offsets + "+" disc seconds
    int discSeconds = 0;
    std::vector<long> offsets;
};

}  // namespace cd

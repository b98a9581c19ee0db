// A song file that libmpg123 refuses after it has taken it is closed once,
// by its one owner. Built with the linker's --wrap of mpg123_open_handle.

#include "decoder.h"
#include "support/engine_session.h"

#include <mpg123.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

namespace {

bool refuseOpen = false;

std::ptrdiff_t openDescriptors()
{
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
}

}  // namespace

extern "C" int __real_mpg123_open_handle(mpg123_handle *handle, void *file);

// The real open runs first: libmpg123 then holds the file, as after an open
// that fails in its own checks.
extern "C" int __wrap_mpg123_open_handle(mpg123_handle *handle, void *file)
{
    const int result = __real_mpg123_open_handle(handle, file);
    return refuseOpen ? MPG123_ERR : result;
}

TEST(DecoderOpen, FileRefusedHalfwayIsClosedOnce)
{
    const std::string song = fixture("l2-32k-mono.mp2");
    const auto before = openDescriptors();
    sonark::Decoder decoder;
    std::string error;
    refuseOpen = true;
    EXPECT_FALSE(decoder.openFile(song, {}, error));
    refuseOpen = false;
    EXPECT_EQ(openDescriptors(), before);
    EXPECT_TRUE(decoder.openFile(song, {}, error)) << error;
}

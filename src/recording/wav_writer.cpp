#include "recording/wav_writer.h"

#include <QtEndian>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace recording {
namespace {

QByteArray header(const PcmFormat &format, uint32_t dataBytes)
{
    QByteArray h(44, '\0');
    char *p = h.data();
    auto put32 = [&](int at, uint32_t v) { qToLittleEndian<uint32_t>(v, p + at); };
    auto put16 = [&](int at, uint16_t v) { qToLittleEndian<uint16_t>(v, p + at); };
    memcpy(p, "RIFF", 4);
    put32(4, dataBytes + 36);
    memcpy(p + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, static_cast<uint16_t>(format.channels));
    put32(24, static_cast<uint32_t>(format.sampleRate));
    put32(28, static_cast<uint32_t>(format.sampleRate * format.blockAlign()));
    put16(32, static_cast<uint16_t>(format.blockAlign()));
    put16(34, 16);
    memcpy(p + 36, "data", 4);
    put32(40, dataBytes);
    return h;
}

}  // namespace

bool WavWriter::open(const QString &path, PcmFormat format)
{
    file_.setFileName(path);
    data_ = 0;
    failed_ = false;
    error_.clear();
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(file_.errorString());
    const QByteArray h = header(format, 0);
    if (!writeAll(h.constData(), h.size()))
        return fail(file_.errorString());
    format_ = format;
    return true;
}

bool WavWriter::write(const char *bytes, int64_t count)
{
    if (failed_)
        return false;
    if (data_ + count > maxData_)
        return fail(QStringLiteral("the recording would pass the 4 GB a WAV file can hold"));
    if (!writeAll(bytes, count))
        return fail(file_.errorString());
    data_ += count;
    return true;
}

bool WavWriter::finish()
{
    if (failed_)
        return false;
    const QByteArray h = header(format_, static_cast<uint32_t>(data_));
    if (!file_.seek(0) || !writeAll(h.constData(), h.size()) || !file_.flush())
        return fail(file_.errorString());
    if (fsync(file_.handle()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    file_.close();
    return true;
}

// A write the disk takes only in part sets no error: the rest is written
// again, so a full disk fails with its own reason ("No space left on device").
bool WavWriter::writeAll(const char *bytes, int64_t count)
{
    while (count > 0) {
        const qint64 written = file_.write(bytes, count);
        if (written <= 0)
            return false;
        bytes += written;
        count -= written;
    }
    return true;
}

bool WavWriter::fail(const QString &why)
{
    failed_ = true;
    if (error_.isEmpty())
        error_ = why;
    file_.close();
    return false;
}

}  // namespace recording

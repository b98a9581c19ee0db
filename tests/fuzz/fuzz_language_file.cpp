// A language file as the program reads it: every text comes out as the file
// or the built-in English has it, and writing the texts back as a language
// file gives the same texts again.

#include "fuzz_input.h"
#include "language/builtin_texts.h"
#include "language/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Messages messages =
        Messages::parse(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    QByteArray written = "[Ludro]\n";
    for (const BuiltinText &text : builtinTexts) {
        const QString value = messages.text(text.key);
        if (value.endsWith('\r'))
            return 0;  // a line's end, written back
        written += QByteArray(text.key) + '=' + value.toUtf8() + '\n';
    }
    fuzz::require(Messages::parse(written) == messages);
    return 0;
}

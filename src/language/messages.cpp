#include "messages.h"

#include "builtin_texts.h"

#include "platform/profile_file.h"

#include <QHash>

namespace {

int indexOf(const char *key)
{
    static const QHash<QByteArray, int> index = [] {
        QHash<QByteArray, int> keys;
        for (std::size_t i = 0; i < builtinTexts.size(); ++i)
            keys.insert(builtinTexts[i].key, static_cast<int>(i));
        return keys;
    }();
    return index.value(QByteArray(key), -1);
}

}  // namespace

Messages::Messages()
{
    texts_.reserve(builtinTexts.size());
    for (const BuiltinText &text : builtinTexts)
        texts_.push_back(QString::fromUtf8(text.text));
}

Messages Messages::parse(const QByteArray &bytes)
{
    const auto file = platform::ProfileFile::parse(bytes);
    const QString section = QStringLiteral("Ludro");
    Messages messages;
    for (std::size_t i = 0; i < builtinTexts.size(); ++i) {
        const QString key = QString::fromLatin1(builtinTexts[i].key);
        messages.texts_[i] = file.readString(section, key, messages.texts_[i]);
    }
    return messages;
}

bool Messages::isKey(const char *key)
{
    return indexOf(key) >= 0;
}

QString Messages::text(const char *key) const
{
    const int i = indexOf(key);
    Q_ASSERT_X(i >= 0, "Messages::text", key);
    return i < 0 ? QString() : texts_[static_cast<std::size_t>(i)];
}

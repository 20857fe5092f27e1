#include "qa/qa_text.h"

#include "store/code_page_1252.h"

namespace briqo {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// Every line break of a box (LF as the box keeps it, or CR LF, or a lone CR) as CR LF.
QString withCrLf(const QString &text)
{
    QString result = text;
    result.replace(kLineEnd, QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result.replace(QLatin1Char('\n'), kLineEnd);
}

bool storable(QStringView character)
{
    return character == QStringView(u"?") || encode1252(character) != QByteArrayLiteral("?");
}

} // namespace

bool hasText(const QString &text)
{
    for (const QChar c : text) {
        if (c != QLatin1Char(' '))
            return true;
    }
    return false;
}

QaButtons qaButtonStates(const QString &question, const QString &answer)
{
    const bool q = hasText(question);
    const bool a = hasText(answer);
    return {q || a, q, a, q || a};
}

QString qaClipboardText(
    const QString &questionCaption, const QString &question, const QString &answerCaption, const QString &answer)
{
    return questionCaption + kLineEnd + withCrLf(question) + kLineEnd + kLineEnd + answerCaption + kLineEnd
        + withCrLf(answer);
}

QStringList charactersOutside1252(const QString &text)
{
    QStringList found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length
            = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length - 1;
        if (!storable(character) && !found.contains(character))
            found.append(character);
    }
    return found;
}

QString boxTextOfStored(const QString &stored)
{
    QString text = stored;
    return text.replace(kLineEnd, QStringLiteral("\n"));
}

} // namespace briqo

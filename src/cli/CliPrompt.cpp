#include "CliPrompt.h"

#include <cstdio>

namespace hesk::cli {

namespace {

void writeError(const QString& line)
{
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

}  // namespace

void CliPrompt::show(model::MessageKind, const QString& title, const QString& text)
{
    writeError(QStringLiteral("%1: %2").arg(title, text));
}

model::PromptAnswer CliPrompt::ask(const QString& title, const QString& text, model::PromptButtons buttons)
{
    model::PromptAnswer answer = model::dismissAnswer(buttons);
    if (m_yes)
        answer = buttons == model::PromptButtons::OkCancel ? model::PromptAnswer::Ok : model::PromptAnswer::Yes;
    writeError(QStringLiteral("%1: %2 -> %3").arg(title, text, m_yes ? QStringLiteral("yes (--yes)") : QStringLiteral("no")));
    return answer;
}

void CliLog::log(const QString& text, int level)
{
    if (level < m_threshold)
        return;
    const std::lock_guard guard(m_lock);
    writeError(QStringLiteral("log: ") + text);
}

}  // namespace hesk::cli

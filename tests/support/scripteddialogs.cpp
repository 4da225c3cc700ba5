#include "scripteddialogs.h"

#include <QPrinter>

int ScriptedDialogs::showMessage(const MessageRequest &request)
{
    shown.append({request.caption, request.text, request.buttons});
    if (request.buttons.size() > 1 && !m_buttons.empty()) {
        const int index = m_buttons.front();
        m_buttons.pop_front();
        return index;
    }
    if (request.buttons.size() >= 2 && request.buttons[0] == yesButton()) {
        if (m_confirms.empty())
            return 0;
        const bool yes = m_confirms.front();
        m_confirms.pop_front();
        return yes ? 0 : 1;
    }
    return 0;
}

QString ScriptedDialogs::inputBox(const QString &caption, const QString &prompt, const QString &)
{
    inputBoxes.append({caption, prompt, {}});
    if (m_inputs.empty())
        return QString();
    const QString text = m_inputs.front();
    m_inputs.pop_front();
    return text;
}

bool ScriptedDialogs::printDialog(QPrinter &printer)
{
    ++printDialogs;
    if (m_prints.empty())
        return false;
    const auto [file, copies] = m_prints.front();
    m_prints.pop_front();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setCopyCount(copies);
    return true;
}

bool ScriptedDialogs::printPreview(QPrinter &printer, const std::function<void(QPrinter &)> &paint)
{
    ++printPreviews;
    if (m_previews.empty())
        return false;
    const QString file = m_previews.front();
    m_previews.pop_front();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    paint(printer);
    return true;
}

namespace {

FileAnswer nextAnswer(std::deque<FileAnswer> &answers)
{
    if (answers.empty())
        return {};
    FileAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

FileAnswer ScriptedDialogs::saveFileName(const FileRequest &request)
{
    fileDialogs.append(request);
    FileAnswer answer = nextAnswer(m_saves);
    if (answer.filter < 0)
        answer.filter = request.filter; // the user keeps the type offered
    return answer;
}

FileAnswer ScriptedDialogs::openFileName(const FileRequest &request)
{
    fileDialogs.append(request);
    return nextAnswer(m_opens);
}

namespace {

// Records each step into the dialog's entry and says cancel at the scripted one.
class ScriptedProgress final : public ProgressReport
{
public:
    ScriptedProgress(QList<ScriptedDialogs::Progress> &list, int cancelAt)
        : m_list(list), m_index(list.size() - 1), m_cancelAt(cancelAt)
    { }
    bool step(int permille) override
    {
        QList<int> &steps = m_list[m_index].steps;
        steps.append(permille);
        return m_cancelAt <= 0 || steps.size() < m_cancelAt;
    }

private:
    QList<ScriptedDialogs::Progress> &m_list;
    qsizetype m_index;
    int m_cancelAt;
};

} // namespace

std::unique_ptr<ProgressReport> ScriptedDialogs::progress(
    const QString &caption, const QString &label)
{
    progresses.append({caption, label, {}});
    int cancelAt = 0;
    if (!m_cancels.empty()) {
        cancelAt = m_cancels.front();
        m_cancels.pop_front();
    }
    return std::make_unique<ScriptedProgress>(progresses, cancelAt);
}

QStringList ScriptedDialogs::texts() const
{
    QStringList list;
    for (const Shown &s : shown)
        list.append(s.text);
    return list;
}

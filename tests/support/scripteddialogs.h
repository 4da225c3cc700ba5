#pragma once

#include "ui/common/services.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <deque>
#include <utility>

// Stands in for the user at every message box and input box: records what was shown and
// answers from a script. An unscripted message is answered with its first button ("OK" or
// "はい(&Y)"), an unscripted input box with an empty text (Cancel).
class ScriptedDialogs final : public DialogService
{
public:
    struct Shown {
        QString caption;
        QString text;
        QStringList buttons;
    };

    int showMessage(const MessageRequest &request) override;
    QString inputBox(
        const QString &caption, const QString &prompt, const QString &defaultText) override;
    bool printDialog(QPrinter &printer) override;
    bool printPreview(QPrinter &printer, const std::function<void(QPrinter &)> &paint) override;
    FileAnswer saveFileName(const FileRequest &request) override;
    FileAnswer openFileName(const FileRequest &request) override;
    std::unique_ptr<ProgressReport> progress(const QString &caption, const QString &label) override;

    // Answers for the next confirmations, in order: true is "はい(&Y)".
    void answerConfirm(bool yes) { m_confirms.push_back(yes); }
    void answerInput(const QString &text) { m_inputs.push_back(text); }
    // The button at this index answers the next message of more than one button, before any
    // confirmation scripted (a third button, "キャンセル", is one no confirmation gives).
    void answerButton(int index) { m_buttons.push_back(index); }
    // The next print dialog chooses "print to file" on A4 with this file and copy count; an
    // unscripted print dialog is cancelled.
    void answerPrint(const QString &pdfFile, int copies = 1)
    {
        m_prints.push_back({pdfFile, copies});
    }

    // The next print preview draws its pages into this PDF file on A4 (as what it shows) and
    // prints them; an unscripted preview is closed unprinted, having drawn nothing.
    void answerPreview(const QString &pdfFile) { m_previews.push_back(pdfFile); }

    // The next save or open dialog chooses this file with the file type at this index; an
    // unscripted file dialog is cancelled.
    // A filter of -1 keeps the file type the dialog offers first.
    void answerSaveFile(const QString &path, int filter = 0) { m_saves.push_back({path, filter}); }
    void answerOpenFile(const QString &path) { m_opens.push_back({path, 0}); }
    // The next progress dialog is cancelled at its step of this number (from 1); unscripted
    // ones run to the end.
    void cancelProgressAt(int step) { m_cancels.push_back(step); }

    QList<Shown> shown; // every message box, in order
    QList<FileRequest> fileDialogs; // every save and open dialog, in order
    QList<Shown> inputBoxes; // caption and prompt of every input box (text = prompt)
    int printDialogs = 0; // how often the print dialog was shown
    struct Progress {
        QString caption;
        QString label;
        QList<int> steps; // every step told, in thousandths
    };
    QList<Progress> progresses; // every progress dialog, in order
    int printPreviews = 0; // and the print preview

    QStringList texts() const;
    Shown last() const { return shown.isEmpty() ? Shown {} : shown.last(); }
    void clear()
    {
        shown.clear();
        inputBoxes.clear();
        printDialogs = 0;
        printPreviews = 0;
        fileDialogs.clear();
        progresses.clear();
    }

private:
    std::deque<bool> m_confirms;
    std::deque<int> m_buttons;
    std::deque<QString> m_inputs;
    std::deque<std::pair<QString, int>> m_prints;
    std::deque<QString> m_previews;
    std::deque<FileAnswer> m_saves;
    std::deque<FileAnswer> m_opens;
    std::deque<int> m_cancels;
};

class FixedClock final : public Clock
{
public:
    QDate date = QDate(2026, 12, 7);
    QDate today() const override { return date; }
};

class FixedDiskSpace final : public DiskSpace
{
public:
    qint64 bytes = qint64(1) << 40;
    qint64 freeBytes(const QString &) const override { return bytes; }
};

class RecordingDesktop final : public Desktop
{
public:
    QList<QUrl> opened;
    void open(const QUrl &url) override { opened.append(url); }
};

// Answers the numbers it is given, in order (each taken modulo the bound asked for), and 0
// when it has none left; records every bound it was asked for.
class ScriptedRandom final : public Random
{
public:
    void answer(std::initializer_list<quint32> numbers)
    {
        m_numbers.insert(m_numbers.end(), numbers);
    }
    quint32 bounded(quint32 bound) override
    {
        bounds.append(bound);
        if (m_numbers.empty())
            return 0;
        const quint32 n = m_numbers.front();
        m_numbers.pop_front();
        return n % bound;
    }
    QList<quint32> bounds;

private:
    std::deque<quint32> m_numbers;
};

// The seams together, owned by the test.
struct TestServices {
    ScriptedDialogs dialogs;
    FixedClock clock;
    FixedDiskSpace disk;
    RecordingDesktop desktop;
    ScriptedRandom random;
    Services services() { return {&dialogs, &clock, &disk, &desktop, &random}; }
};

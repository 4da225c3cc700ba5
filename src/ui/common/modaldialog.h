#pragma once

#include <QDialog>

#include <functional>

// A dialog the program shows modally. The showing goes through a runner: by default a
// nested event loop; tests install one that plays the user's part on the shown dialog and
// returns, so no test waits on a loop of its own.
class TModalDialog : public QDialog
{
    Q_OBJECT

public:
    using Runner = std::function<void(TModalDialog &)>;

    explicit TModalDialog(QWidget *parent = nullptr);

    void setRunner(Runner runner) { m_runner = std::move(runner); }
    // Shown again at the size the user left it at, rather than the size it was made with.
    void setRemembersSize(bool remembers) { m_remembersSize = remembers; }
    // Shows the dialog centred on the screen, as large as it was made or as fits, until it
    // is closed; returns its result. A runner that leaves the dialog open has it closed as
    // by its window button.
    int ShowModal();

private:
    Runner m_runner;
    QSize m_wantedSize;
    bool m_remembersSize = false;
};

#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>
#include <functional>

class QPrinter;
class QWidget;

// Everything that leaves the window for the user's desktop goes through these small seams,
// so that tests can answer dialogs and set the date and the free space. Plain interfaces:
// the real ones, with their widgets, are in qtservices.h.

struct MessageRequest {
    enum class Icon { None, Warning, Error, Information, Question };
    QString caption;
    QString text;
    QStringList buttons; // in order; the answer is the index of the button pressed
    Icon icon = Icon::None;
};

// A file dialog: the caption, where it opens (a folder or a suggested file), the file types
// offered ("スコアカード UTF-8 (*.csv)") and the one chosen at first.
struct FileRequest {
    QString caption;
    QString path;
    QStringList filters;
    int filter = 0;
    QString defaultSuffix; // added to a name typed without one
    QWidget *over = nullptr; // the window it is asked from; the main window when none
};

// The file chosen and the index of the file type it was chosen with; an empty path when the
// dialog was cancelled.
struct FileAnswer {
    QString path;
    int filter = 0;
    bool cancelled() const { return path.isEmpty(); }
};

// A long task's progress as the user sees it: a dialog that shows itself once the task takes
// more than a moment, with a button to cancel it; it closes when the report is deleted.
class ProgressReport
{
public:
    virtual ~ProgressReport() = default;
    // How far the task has come, in thousandths; false once the user has cancelled it.
    virtual bool step(int permille) = 0;
};

class DialogService
{
public:
    virtual ~DialogService() = default;

    // Returns the index of the button pressed (0 when the box was closed some other way
    // and it has a single button; the last button otherwise).
    virtual int showMessage(const MessageRequest &request) = 0;
    // Returns the text typed, or an empty text when cancelled.
    virtual QString inputBox(
        const QString &caption, const QString &prompt, const QString &defaultText)
        = 0;
    // The standard print dialog: the user's choice of printer and copies lands in `printer`.
    // False when cancelled; stand-ins with nobody to answer cancel by default.
    virtual bool printDialog(QPrinter &printer);
    // The print preview: shows the pages `paint` draws on the printer, and prints them when the
    // user asks from it (the print dialog's choices land in `printer`, and `paint` draws again).
    // True when printed; stand-ins with nobody to answer close it unprinted.
    virtual bool printPreview(QPrinter &printer, const std::function<void(QPrinter &)> &paint);
    // The standard file dialogs; stand-ins with nobody to answer cancel by default.
    virtual FileAnswer saveFileName(const FileRequest &request);
    virtual FileAnswer openFileName(const FileRequest &request);
    // The progress of a task that may take long; stand-ins with nobody to answer never cancel.
    virtual std::unique_ptr<ProgressReport> progress(const QString &caption, const QString &label);

    static QString okButton() { return QStringLiteral("OK"); }
    static QString yesButton() { return QStringLiteral("はい(&Y)"); }
    static QString noButton() { return QStringLiteral("いいえ(&N)"); }

    void warning(const QString &text); // "警告"
    void error(const QString &text); // "エラー"
    void information(const QString &text); // "情報"
    bool confirm(const QString &text); // "確認", true for "はい(&Y)"
    void plain(const QString &caption, const QString &text);
    // The general error dialog for failures of file input and output.
    void ioError(const QString &text);
};

class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

class DiskSpace
{
public:
    virtual ~DiskSpace() = default;
    // Free bytes on the drive that holds path.
    virtual qint64 freeBytes(const QString &path) const = 0;
};

class Desktop
{
public:
    virtual ~Desktop() = default;
    virtual void open(const QUrl &url) = 0;
};

// Chance, as where a competition's hidden holes fall: tests say which numbers come.
class Random
{
public:
    virtual ~Random() = default;
    // A number 0 <= n < bound (bound > 0).
    virtual quint32 bounded(quint32 bound) = 0;
};

struct Services {
    DialogService *dialogs = nullptr;
    Clock *clock = nullptr;
    DiskSpace *disk = nullptr;
    Desktop *desktop = nullptr;
    Random *random = nullptr; // the system's when none is given

    // The real desktop; the dialogs are parented to the given window once it exists.
    static Services system();
};

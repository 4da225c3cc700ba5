#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// Keeps the program to one running instance per user. The first start listens on a local
// socket; a later start finds it there, asks it to come forward, and ends. A crashed first
// instance leaves at most a dead socket and a stale lock, which the next start clears.
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &key, QObject *parent = nullptr);
    ~SingleInstance() override;

    // The key every start of this user shares.
    static QString defaultKey();

    // True when this process is now the running instance; false when another one runs and
    // has been asked to come forward.
    bool claim();

Q_SIGNALS:
    // Another start asked this instance to come forward.
    void activationRequested();

private:
    bool askRunningInstance();
    QString m_key;
    QLocalServer *m_server = nullptr;
};

#include "exportchoice.h"

#include "datafile.h"

namespace exportchoice {

QString contentName(Content content)
{
    switch (content) {
    case Content::Cards: return QStringLiteral("スコアカード");
    case Content::Yotei: return QStringLiteral("予定");
    case Content::Links: return QStringLiteral("ゴルフ場とコース");
    case Content::Results: return QStringLiteral("成績の表");
    case Content::Analysis: return QStringLiteral("分析の表");
    }
    return {};
}

QString formName(Form form)
{
    return form == Form::Excel ? QStringLiteral("Excel 向け (UTF-8)")
                               : QStringLiteral("古い表計算ソフト向け (Shift-JIS)");
}

csv::Encoding encoding(Form form)
{
    return form == Form::Excel ? csv::Encoding::Utf8Bom : csv::Encoding::ShiftJis;
}

QString fileName(Content content, const QString &golfer, const QDate &day)
{
    QString name;
    if (content != Content::Links && !golfer.isEmpty())
        name = golfer + QChar('_');
    return name + contentName(content) + QChar('_') + day.toString(QStringLiteral("yyyyMMdd"))
        + QStringLiteral(".csv");
}

bool save(const QString &path, const QString &text, Form form, QString *error)
{
    QByteArray bytes;
    csv::Error problem;
    if (!csv::encode(text, encoding(form), &bytes, &problem)) {
        *error = QStringLiteral("Shift-JISでは書き出せません。%1を選んでください\n")
                     .arg(formName(Form::Excel))
            + problem.message();
        return false;
    }
    return datafile::saveBytes(path, bytes, error);
}

} // namespace exportchoice

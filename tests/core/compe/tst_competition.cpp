// A competition as the organiser types it, and its file's bytes.
#include "core/compe/competition.h"
#include "support/builders.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace compe;

Q_DECLARE_METATYPE(compe::Competition)
Q_DECLARE_METATYPE(compe::FileProblem)

namespace {

const QString kClub = QStringLiteral("A倶楽部");

QStringList texts(const Scores &s)
{
    QStringList list;
    for (int v : s)
        list.append(QString::number(v));
    return list;
}

// OUT 4 4 3 5 4 4 3 4 5, IN 4 5 4 3 4 4 5 3 4; two players and a prize of each kind.
Competition sample()
{
    Competition c;
    c.date = QDate(2024, 5, 12);
    c.name = QStringLiteral("第5回 山田会");
    TCourseRecord out = build::course(kClub, QStringLiteral("東"));
    TCourseRecord in = build::course(kClub, QStringLiteral("西"));
    out.Par = {4, 4, 3, 5, 4, 4, 3, 4, 5};
    in.Par = {4, 5, 4, 3, 4, 4, 5, 3, 4};
    if (!setCourses(c, out, in).isEmpty())
        qFatal("the sample's courses were refused");
    c.players
        = {{QStringLiteral("山田"), {5, 5, 4, 6, 5, 5, 4, 5, 6, 5, 6, 5, 4, 5, 5, 6, 4, 5}, true},
            {QStringLiteral("ゲスト 鈴木"), {6, 6, 5, 7, 6, 6, 5, 6, 7, 6, 7, 6, 5, 6, 6, 7, 5, 6},
                false}};
    c.hiddenHoles = {2, 3, 4, 5, 6, 8, 10, 11, 12, 13, 14, 15};
    c.announced = true;
    c.options = {Cap::TripleBogey, Factor::Point9, Limit::None};
    c.prizes = {{PrizeKind::Drive, 9, QStringLiteral("山田")}, {PrizeKind::Pin, 3, QString()}};
    return c;
}

QByteArray withField(const QString &key, const QJsonValue &value)
{
    QJsonObject o = QJsonDocument::fromJson(encode(sample())).object();
    if (value.isUndefined())
        o.remove(key);
    else
        o.insert(key, value);
    return QJsonDocument(o).toJson();
}

} // namespace

class TestCompetition : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scoreAsTyped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("score"); // 0: refused
        QTest::addRow("one") << "1" << 1;
        QTest::addRow("twenty") << "20" << 20;
        QTest::addRow("blanks") << " 12　" << 12;
        QTest::addRow("full-width") << "１０" << 10;
        QTest::addRow("zero") << "0" << 0;
        QTest::addRow("21") << "21" << 0;
        QTest::addRow("negative") << "-3" << 0;
        QTest::addRow("decimal") << "4.0" << 0;
        QTest::addRow("hex") << "0x5" << 0;
        QTest::addRow("letters") << "五" << 0;
        QTest::addRow("empty") << "" << 0;
        QTest::addRow("huge") << "99999999999" << 0;
    }
    void scoreAsTyped()
    {
        QFETCH(QString, text);
        QFETCH(int, score);
        QCOMPARE(parseScore(text).value_or(0), score);
    }

    void playerAsTyped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("hole"); // from 1; 0: all 18 fine
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem");
        QTest::addRow("fine") << "山田" << 0 << ""
                              << "";
        QTest::addRow("25") << "山田" << 3 << "25"
                            << "「山田」の3番のスコア「25」は1から20の整数ではありません";
        QTest::addRow("zero on 18") << "山田" << 18 << "0"
                                    << "「山田」の18番のスコア「0」は1から20の整数ではありません";
        QTest::addRow("letter") << "山田" << 10 << "x"
                                << "「山田」の10番のスコア「x」は1から20の整数ではありません";
        QTest::addRow("missing") << "山田" << 7 << " "
                                 << "「山田」の7番のスコアを入力してください";
        QTest::addRow("no name") << " " << 0 << ""
                                 << "参加者の氏名を入力してください";
        QTest::addRow("tab in name") << "山\t田" << 0 << ""
                                     << "参加者の氏名「山 田」に改行などの制御文字が含まれています";
    }
    void playerAsTyped()
    {
        QFETCH(QString, name);
        QFETCH(int, hole);
        QFETCH(QString, text);
        QFETCH(QString, problem);
        QStringList scores = texts(sample().players[0].scores);
        if (hole > 0)
            scores[hole - 1] = text;
        QString said;
        const std::optional<Player> p = playerFromTexts(name, scores, false, &said);
        QCOMPARE(said, problem);
        QCOMPARE(p.has_value(), problem.isEmpty());
        if (p)
            QCOMPARE(p->scores, sample().players[0].scores);
    }

    void joining()
    {
        Competition c = sample();
        Player guest {QStringLiteral("佐藤"), c.players[0].scores, false};
        QCOMPARE(joinProblem(c, guest), QString());
        // Blanks at the ends do not make another name.
        guest.name = QStringLiteral("　山田 ");
        QCOMPARE(joinProblem(c, guest), QStringLiteral("参加者の氏名「山田」が重複しています"));
        guest.name = QStringLiteral("佐藤");
        guest.scores[4] = 21;
        QCOMPARE(joinProblem(c, guest),
            QStringLiteral("「佐藤」の5番のスコア「21」は1から20の整数ではありません"));
        guest.scores[4] = 5;
        while (c.players.size() < kMaxPlayers)
            c.players.append({QStringLiteral("p%1").arg(c.players.size()), guest.scores, false});
        QCOMPARE(joinProblem(c, guest), QStringLiteral("参加者は100人までです"));
    }

    void name_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem");
        QTest::addRow("fine") << "第5回 山田会"
                              << "";
        QTest::addRow("empty") << ""
                               << "コンペ名を入力してください";
        QTest::addRow("blanks") << "　 "
                                << "コンペ名を入力してください";
        QTest::addRow("trailing blank") << "山田会 "
                                        << "コンペ名「山田会 」の前後に空白があります";
        QTest::addRow("slash") << "春/秋"
                               << "コンペ名「春/秋」にはファイル名に使えない文字（\\ / : * ? \" < "
                                  "> | や改行など）が含まれています";
        QTest::addRow("dots") << ".."
                              << "コンペ名「..」にはファイル名に使えない文字（\\ / : * ? \" < > | "
                                 "や改行など）が含まれています";
        QTest::addRow("line break") << "春\n秋"
                                    << "コンペ名「春 秋」にはファイル名に使えない文字（\\ / : * ? "
                                       "\" < > | や改行など）が含まれています";
        QTest::addRow("not in Shift-JIS") << "会⛳"
                                          << "コンペ名の「⛳」は保存できない文字です";
        // "2024-05-12_" (11) + name + ".json.damaged-2024-05-12-99" (27) within 255 bytes:
        // 217 ASCII characters fit, 218 do not; a kanji takes 3 bytes, so 72 fit and 73 not.
        QTest::addRow("217") << QString(217, QChar('a')) << "";
        QTest::addRow("218") << QString(218, QChar('a'))
                             << "コンペ名が長すぎます（ファイル名にできる長さを超えています）";
        QTest::addRow("72 kanji") << QString(72, QChar(0x4F1A)) << "";
        QTest::addRow("73 kanji") << QString(73, QChar(0x4F1A))
                                  << "コンペ名が長すぎます（ファイル名にできる長さを超えています）";
    }
    void name()
    {
        QFETCH(QString, name);
        QFETCH(QString, problem);
        QCOMPARE(nameProblem(name), problem);
    }

    void fileName()
    {
        QCOMPARE(sample().fileName(), QStringLiteral("2024-05-12_第5回 山田会.json"));
        QCOMPARE(compeFileName(QDate(2025, 1, 2), QStringLiteral("x")),
            QStringLiteral("2025-01-02_x.json"));
    }

    void courses()
    {
        Competition c;
        TCourseRecord out = build::course(kClub, QStringLiteral("東"));
        TCourseRecord in = build::course(kClub, QStringLiteral("西"), 350, 5);
        QCOMPARE(setCourses(c, out, in), QString());
        QCOMPARE(c.club, kClub);
        QCOMPARE(c.courses, (std::array<QString, 2> {"東", "西"}));
        // Nine par 4s and nine par 5s: 36 + 45 = 81.
        QCOMPARE(c.coursePar(), 81);
        QCOMPARE(c.pars[8], 4);
        QCOMPARE(c.pars[9], 5);

        // A course of another club, or a par the method cannot use, changes nothing.
        const Competition before = c;
        TCourseRecord other = build::course(QStringLiteral("B倶楽部"), QStringLiteral("北"));
        QCOMPARE(setCourses(c, out, other),
            QStringLiteral("コース「東」と「北」は同じゴルフ場のコースではありません"));
        in.Par[6] = 0;
        QCOMPARE(setCourses(c, out, in),
            QStringLiteral("コース「西」の7番のパー「0」は3から6の整数ではありません"));
        out.Par[0] = 7;
        QCOMPARE(setCourses(c, out, in),
            QStringLiteral("コース「東」の1番のパー「7」は3から6の整数ではありません"));
        QCOMPARE(c, before);
    }

    void prizeHoleAsTyped_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("hole");
        QTest::addColumn<QString>("problem");
        QTest::addRow("drive") << 0 << "9" << 9 << "";
        QTest::addRow("pin full-width") << 1 << "１７" << 17 << "";
        QTest::addRow("19") << 0 << "19" << 0
                            << "ドラコンのホール「19」は1から18の整数ではありません";
        QTest::addRow("zero") << 1 << "0" << 0
                              << "ニアピンのホール「0」は1から18の整数ではありません";
        QTest::addRow("empty") << 1 << " " << 0 << "ニアピンのホールを入力してください";
    }
    void prizeHoleAsTyped()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(int, hole);
        QFETCH(QString, problem);
        QString said;
        QCOMPARE(parsePrizeHole(PrizeKind(kind), text, &said).value_or(0), hole);
        QCOMPARE(said, problem);
    }

    void whole_data()
    {
        QTest::addColumn<Competition>("c");
        QTest::addColumn<QString>("problem");
        QTest::addRow("fine") << sample() << "";
        Competition c = sample();
        c.players[0].scores[0] = 1;
        c.players[0].scores[17] = 20;
        QTest::addRow("scores 1 and 20") << c << "";
        c = sample();
        c.hiddenHoles = {1, 2};
        QTest::addRow("holes still being ticked") << c << "";
        c = sample();
        c.date = QDate();
        QTest::addRow("no date") << c << "コンペの日付がありません";
        c = sample();
        c.name = "a:b";
        QTest::addRow("name") << c
                              << "コンペ名「a:b」にはファイル名に使えない文字（\\ / : * ? \" < > | "
                                 "や改行など）が含まれています";
        c = sample();
        c.club.clear();
        QTest::addRow("no club") << c << "ゴルフ場を選択してください";
        c = sample();
        c.courses[1].clear();
        QTest::addRow("no IN course") << c << "INのコースを選択してください";
        c = sample();
        c.pars[12] = 2;
        QTest::addRow("par") << c << "13番のパー「2」は3から6の整数ではありません";
        c = sample();
        c.players[1].name = QStringLiteral("山田");
        QTest::addRow("duplicate") << c << "参加者の氏名「山田」が重複しています";
        c = sample();
        c.players[0].scores[17] = 21;
        QTest::addRow("score") << c << "「山田」の18番のスコア「21」は1から20の整数ではありません";
        c = sample();
        c.hiddenHoles = {1, 2, 3, 4, 5, 6, 7};
        QTest::addRow("seven OUT") << c << "OUTの隠しホールは6ホールまでです";
        c = sample();
        c.hiddenHoles = {0};
        QTest::addRow("hole 0") << c << "隠しホールの番号「0」は1から18の整数ではありません";
        c = sample();
        c.hiddenHoles = {5, 5};
        QTest::addRow("hole twice") << c << "隠しホールに5番が二度選ばれています";
        c = sample();
        c.prizes.append({PrizeKind::Drive, 9, QStringLiteral("鈴木")});
        QTest::addRow("prize twice") << c << "ドラコンの9番が二つあります";
        c = sample();
        c.prizes.append({PrizeKind::Pin, 9, QString()});
        QTest::addRow("both prizes on a hole") << c << "";
        c = sample();
        for (int hole = 10; hole <= 18; ++hole)
            c.prizes.append({PrizeKind::Drive, hole, QString()});
        QTest::addRow("ten drives") << c << "ドラコンは9ホールまでです";
        c = sample();
        while (c.players.size() < kMaxPlayers)
            c.players.append({QStringLiteral("p%1").arg(c.players.size()), c.players[0].scores});
        QTest::addRow("a full field of 100") << c << "";
        c.players.append({QStringLiteral("p100"), c.players[0].scores});
        QTest::addRow("101 players") << c << "参加者は100人までです";
        c = sample();
        c.prizes[1].hole = 19;
        QTest::addRow("prize hole") << c << "ニアピンのホール「19」は1から18の整数ではありません";
        c = sample();
        c.prizes[0].winner = QStringLiteral("山田\r\n");
        QTest::addRow("winner")
            << c << "ドラコン（9番）の名前「山田」に改行などの制御文字が含まれています";
    }
    void whole()
    {
        QFETCH(Competition, c);
        QFETCH(QString, problem);
        QCOMPARE(competitionProblem(c), problem);
    }

    void fileRoundTrip()
    {
        const Competition c = sample();
        const QByteArray bytes = encode(c);
        const QJsonObject o = QJsonDocument::fromJson(bytes).object();
        QCOMPARE(o.value("format").toString(), QStringLiteral("kestro-compe"));
        QCOMPARE(o.value("version").toInt(), 1);
        QCOMPARE(o.value("date").toString(), QStringLiteral("2024-05-12"));
        QCOMPARE(
            o.value("options").toObject().value("cap").toString(), QStringLiteral("triple-bogey"));
        QCOMPARE(o.value("options").toObject().value("factor").toString(), QStringLiteral("0.9"));
        QCOMPARE(o.value("options").toObject().value("limit").toString(), QStringLiteral("none"));
        QCOMPARE(o.value("players").toArray().at(1).toObject().value("golfer").toBool(), false);
        QVERIFY(bytes.contains("\"name\": \"第5回 山田会\"")); // UTF-8 as it is

        const Decoded d = decode(bytes);
        QCOMPARE(d.problem, FileProblem::None);
        QVERIFY(d.competition.has_value());
        QCOMPARE(*d.competition, c);

        // Holes ticked out of order are written in order.
        Competition unordered = c;
        unordered.hiddenHoles = {15, 2, 3};
        QCOMPARE(decode(encode(unordered)).competition->hiddenHoles, (QList<int> {2, 3, 15}));
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<FileProblem>("problem");
        QTest::addColumn<QString>("detail");
        QTest::addRow("empty") << QByteArray() << FileProblem::Damaged << "JSON として読めません";
        QTest::addRow("cut short")
            << encode(sample()).left(200) << FileProblem::Damaged << "JSON として読めません";
        QTest::addRow("another program's")
            << QByteArray("{\"name\": \"x\"}") << FileProblem::Foreign
            << "このプログラムのコンペのファイルではありません";
        QTest::addRow("newer") << withField("version", 2) << FileProblem::Newer
                               << "新しい版のプログラムで保存されたファイルです";
        QTest::addRow("version text")
            << withField("version", "1") << FileProblem::Damaged << "版が読めません";
        QTest::addRow("no date") << withField("date", QJsonValue::Undefined) << FileProblem::Damaged
                                 << "「date」がありません";
        QTest::addRow("bad date") << withField("date", "2024-02-30") << FileProblem::Damaged
                                  << "日付「2024-02-30」が読めません";
        QTest::addRow("17 pars") << withField(
            "pars", QJsonArray {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4})
                                 << FileProblem::Damaged << "パーが18ホール分ありません";
        QTest::addRow("par 4.5") << withField(
            "pars", QJsonArray {4.5, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4})
                                 << FileProblem::Damaged << "パーが整数ではありません";
        QTest::addRow("par 9") << withField(
            "pars", QJsonArray {9, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4})
                               << FileProblem::Damaged
                               << "1番のパー「9」は3から6の整数ではありません";
        QTest::addRow("cap") << withField(
            "options", QJsonObject {{"cap", "quad"}, {"factor", "0.8"}, {"limit", "36"}})
                             << FileProblem::Damaged << "「cap」の値「quad」を知りません";
        QTest::addRow("factor as a number")
            << withField("options", QJsonObject {{"cap", "none"}, {"factor", 0.8}, {"limit", "36"}})
            << FileProblem::Damaged << "「factor」がありません";
        QTest::addRow("no announced") << withField("announced", QJsonValue::Undefined)
                                      << FileProblem::Damaged << "「announced」がありません";
        QTest::addRow("hidden holes") << withField("hiddenHoles", "2 3 4") << FileProblem::Damaged
                                      << "隠しホールが読めません";
        QJsonArray players
            = QJsonDocument::fromJson(encode(sample())).object().value("players").toArray();
        QJsonObject second = players[1].toObject();
        second.insert("name", "山田");
        QTest::addRow("duplicate player")
            << withField("players", QJsonArray {players[0], second}) << FileProblem::Damaged
            << "参加者の氏名「山田」が重複しています";
        second = players[1].toObject();
        second.insert("scores", QJsonArray {5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 99});
        QTest::addRow("score 99")
            << withField("players", QJsonArray {players[0], second}) << FileProblem::Damaged
            << "「ゲスト 鈴木」の18番のスコア「99」は1から20の整数ではありません";
        second.insert(
            "scores", QJsonArray {5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 1e300});
        QTest::addRow("score 1e300")
            << withField("players", QJsonArray {players[0], second}) << FileProblem::Damaged
            << "「ゲスト 鈴木」のスコアが整数ではありません";
        second.remove("golfer");
        QTest::addRow("no golfer flag") << withField("players", QJsonArray {players[0], second})
                                        << FileProblem::Damaged << "参加者の「golfer」がありません";
        QTest::addRow("player a text") << withField("players", QJsonArray {"山田"})
                                       << FileProblem::Damaged << "参加者が読めません";
        QJsonArray many;
        for (int i = 0; i <= kMaxPlayers; ++i)
            many.append(players[0]);
        QTest::addRow("101 players")
            << withField("players", many) << FileProblem::Damaged << "参加者が読めません";
        QTest::addRow("prize kind") << withField(
            "prizes", QJsonArray {QJsonObject {{"kind", "long"}, {"hole", 3}, {"winner", ""}}})
                                    << FileProblem::Damaged << "「kind」の値「long」を知りません";
    }
    void badFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(FileProblem, problem);
        QFETCH(QString, detail);
        const Decoded d = decode(bytes);
        QCOMPARE(d.problem, problem);
        QCOMPARE(d.detail, detail);
        QVERIFY(!d.competition);
    }

    // Every cut of a file and every byte changed reads without a crash, as a competition
    // only when it still is one.
    void everyCutAndFlip()
    {
        const QByteArray bytes = encode(sample());
        for (qsizetype n = 0; n < bytes.size(); ++n) {
            const Decoded d = decode(bytes.left(n));
            QVERIFY(!d.competition || competitionProblem(*d.competition).isEmpty());
        }
        for (qsizetype i = 0; i < bytes.size(); i += 3) {
            QByteArray flipped = bytes;
            flipped[i] = char(flipped[i] ^ 0x5A);
            const Decoded d = decode(flipped);
            QVERIFY(!d.competition || competitionProblem(*d.competition).isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestCompetition)
#include "tst_competition.moc"

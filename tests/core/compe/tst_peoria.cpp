// The New Peoria method: the hidden holes, the caps, the handicap and the places. Every
// expected number is worked by hand in the comments.
#include "core/compe/peoria.h"

#include <QTest>

using namespace compe;

Q_DECLARE_METATYPE(compe::Options)
Q_DECLARE_METATYPE(compe::Cap)

namespace {

// A standard course of par 72.
//   OUT holes 1-9:   4 4 3 5 4 4 3 4 5  (36)  par 3: 3, 7   par 5: 4, 9
//   IN  holes 10-18: 4 5 4 3 4 4 5 3 4  (36)  par 3: 13, 17 par 5: 11, 16
const Pars kPars {4, 4, 3, 5, 4, 4, 3, 4, 5, 4, 5, 4, 3, 4, 4, 5, 3, 4};
// OUT 2 3 4 5 6 8 are pars 4 3 5 4 4 4; IN 10 11 12 13 14 15 are pars 4 5 4 3 4 4.
const QList<int> kHidden {2, 3, 4, 5, 6, 8, 10, 11, 12, 13, 14, 15};

// A bogey on every hole: OUT 5 5 4 6 5 5 4 5 6 = 45, IN 5 6 5 4 5 5 6 4 5 = 45, gross 90.
// Hidden: OUT 5+4+6+5+5+5 = 30, IN 5+6+5+4+5+5 = 30, together 60.
const Scores kBogeys {5, 5, 4, 6, 5, 5, 4, 5, 6, 5, 6, 5, 4, 5, 5, 6, 4, 5};

Pars halves(const std::array<int, 9> &out, const std::array<int, 9> &in)
{
    Pars p {};
    std::copy(out.begin(), out.end(), p.begin());
    std::copy(in.begin(), in.end(), p.begin() + 9);
    return p;
}

// Answers with the numbers given, in turn, and notes every bound it was asked for.
struct ScriptedRandom {
    QList<quint32> answers;
    QList<quint32> *bounds;
    quint32 operator()(quint32 bound)
    {
        bounds->append(bound);
        return answers.isEmpty() ? 0 : answers.takeFirst();
    }
};

} // namespace

class TestPeoria : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The published description: hidden total × 1.5, less the course's par of 72, × 0.8.
    void publishedExample()
    {
        // Hidden total 60 (see kBogeys): 60 × 1.5 = 90; 90 − 72 = 18; 18 × 0.8 = 14.4.
        // Net: 90 − 14.4 = 75.6.
        const Results r = computeResults(kPars, kHidden, Options {}, {{"青木", kBogeys}});
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.rows.size(), 1);
        QCOMPARE(r.rows[0], (PlayerResult {"青木", 45, 45, 90, 60, 144, 756, 1}));
        QCOMPARE(
            resultRow(r.rows[0]), (QStringList {"1", "青木", "45", "45", "90", "14.4", "75.6"}));
    }

    void handicap_data()
    {
        QTest::addColumn<int>("hiddenSum");
        QTest::addColumn<int>("coursePar");
        QTest::addColumn<Options>("options");
        QTest::addColumn<int>("tenths");
        const Options d;
        const Options f9 {Cap::DoublePar, Factor::Point9, Limit::L36};
        const Options f10 {Cap::DoublePar, Factor::One, Limit::L36};
        // 60 × 1.5 − 72 = 18; × 0.8 = 14.4
        QTest::addRow("default") << 60 << 72 << d << 144;
        // 61 × 1.5 − 72 = 19.5; × 0.9 = 17.55, half up to 17.6
        QTest::addRow("0.9 rounds half up") << 61 << 72 << f9 << 176;
        // 49 × 1.5 − 72 = 1.5; × 0.9 = 1.35, half up to 1.4
        QTest::addRow("0.9 small half") << 49 << 72 << f9 << 14;
        // 19.5 × 1.0
        QTest::addRow("1.0") << 61 << 72 << f10 << 195;
        // 90 × 1.5 − 72 = 63; × 0.8 = 50.4: held at 36.0, or 40.0, or not at all
        QTest::addRow("limit 36") << 90 << 72 << d << 360;
        QTest::addRow("limit 40") << 90 << 72
                                  << Options {Cap::DoublePar, Factor::Point8, Limit::L40} << 400;
        QTest::addRow("no limit") << 90 << 72
                                  << Options {Cap::DoublePar, Factor::Point8, Limit::None} << 504;
        // 75 × 1.5 − 72 = 40.5; × 0.8 = 32.4, under the limit
        QTest::addRow("under the limit") << 75 << 72 << d << 324;
        // 48 × 1.5 − 72 = 0; 40 × 1.5 − 72 = −12 gives 0
        QTest::addRow("par") << 48 << 72 << d << 0;
        QTest::addRow("below par") << 40 << 72 << d << 0;
        // A course of par 70: 60 × 1.5 − 70 = 20; × 0.8 = 16.0
        QTest::addRow("par 70") << 60 << 70 << d << 160;
    }
    void handicap()
    {
        QFETCH(int, hiddenSum);
        QFETCH(int, coursePar);
        QFETCH(Options, options);
        QFETCH(int, tenths);
        QCOMPARE(handicapTenths(hiddenSum, coursePar, options), tenths);
    }

    void tenthsAsText_data()
    {
        QTest::addColumn<int>("tenths");
        QTest::addColumn<QString>("text");
        QTest::addRow("whole") << 120 << "12.0";
        QTest::addRow("fraction") << 756 << "75.6";
        QTest::addRow("zero") << 0 << "0.0";
        QTest::addRow("under one") << 4 << "0.4";
        // A net below zero is possible without cap and limit.
        QTest::addRow("negative") << -42 << "-4.2";
        QTest::addRow("negative under one") << -5 << "-0.5";
    }
    void tenthsAsText()
    {
        QFETCH(int, tenths);
        QFETCH(QString, text);
        QCOMPARE(tenthsText(tenths), text);
    }

    void cap_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("par");
        QTest::addColumn<Cap>("cap");
        QTest::addColumn<int>("counted");
        QTest::addRow("double par over") << 9 << 4 << Cap::DoublePar << 8;
        QTest::addRow("double par at") << 8 << 4 << Cap::DoublePar << 8;
        QTest::addRow("double par 3") << 7 << 3 << Cap::DoublePar << 6;
        QTest::addRow("triple bogey over") << 9 << 4 << Cap::TripleBogey << 7;
        QTest::addRow("triple bogey at") << 7 << 4 << Cap::TripleBogey << 7;
        QTest::addRow("none") << 12 << 5 << Cap::None << 12;
        QTest::addRow("under any cap") << 3 << 4 << Cap::DoublePar << 3;
    }
    void cap()
    {
        QFETCH(int, score);
        QFETCH(int, par);
        QFETCH(Cap, cap);
        QFETCH(int, counted);
        QCOMPARE(cappedScore(score, par, cap), counted);
    }

    // One player with three blow-up holes under every option.
    void options_data()
    {
        QTest::addColumn<Options>("options");
        QTest::addColumn<QString>("handicap");
        QTest::addColumn<QString>("net");
        // Bogeys but hole 3 (par 3) in 9, hole 4 (par 5) in 12, hole 13 (par 3) in 8:
        // OUT 45 + 5 + 6 = 56, IN 45 + 4 = 49, gross 105.
        // Hidden without a cap: 60 + 5 + 6 + 4 = 75.
        // Double par counts 6, 10, 6: 60 + 2 + 4 + 2 = 68.
        // Triple bogey counts 6, 8, 6: 60 + 2 + 2 + 2 = 66.
        using O = Options;
        // (68 × 1.5 − 72) × 0.8 = 30 × 0.8 = 24.0; 105 − 24 = 81.0
        QTest::addRow("defaults") << O {} << "24.0"
                                  << "81.0";
        // (66 × 1.5 − 72) × 0.8 = 27 × 0.8 = 21.6; 105 − 21.6 = 83.4
        QTest::addRow("triple bogey") << O {Cap::TripleBogey, Factor::Point8, Limit::L36} << "21.6"
                                      << "83.4";
        // (75 × 1.5 − 72) × 0.8 = 40.5 × 0.8 = 32.4; 105 − 32.4 = 72.6
        QTest::addRow("no cap") << O {Cap::None, Factor::Point8, Limit::L36} << "32.4"
                                << "72.6";
        // 30 × 0.9 = 27.0; 78.0
        QTest::addRow("0.9") << O {Cap::DoublePar, Factor::Point9, Limit::L36} << "27.0"
                             << "78.0";
        // 30 × 1.0 = 30.0; 75.0
        QTest::addRow("1.0") << O {Cap::DoublePar, Factor::One, Limit::L36} << "30.0"
                             << "75.0";
        // 40.5 × 1.0 = 40.5: 36.0 and 69.0; 40.0 and 65.0; or 40.5 and 64.5
        QTest::addRow("held at 36") << O {Cap::None, Factor::One, Limit::L36} << "36.0"
                                    << "69.0";
        QTest::addRow("held at 40") << O {Cap::None, Factor::One, Limit::L40} << "40.0"
                                    << "65.0";
        QTest::addRow("no limit") << O {Cap::None, Factor::One, Limit::None} << "40.5"
                                  << "64.5";
        // 27 × 0.9 = 24.3; 105 − 24.3 = 80.7
        QTest::addRow("triple bogey 0.9 40")
            << O {Cap::TripleBogey, Factor::Point9, Limit::L40} << "24.3"
            << "80.7";
    }
    void options()
    {
        QFETCH(Options, options);
        QFETCH(QString, handicap);
        QFETCH(QString, net);
        Scores s = kBogeys;
        s[2] = 9;
        s[3] = 12;
        s[12] = 8;
        const Results r = computeResults(kPars, kHidden, options, {{"木村", s}});
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(
            resultRow(r.rows[0]), (QStringList {"1", "木村", "56", "49", "105", handicap, net}));
    }

    // Ties on net go to the smaller handicap, then to the better IN, else the place is shared.
    void ranking()
    {
        QList<Player> players;
        // 青木: gross 90, hidden 60, handicap 14.4, net 75.6 (the published example).
        players.append({"青木", kBogeys});
        // 井上: OUT 4 4 3 6 4 5 4 5 6 = 41, IN 4 6 4 4 5 5 6 4 5 = 43, gross 84.
        // Hidden OUT 4+3+6+4+5+5 = 27, IN 4+6+4+4+5+5 = 28, together 55:
        // (82.5 − 72) × 0.8 = 8.4, net 75.6: ties with 青木 and wins on the smaller handicap.
        players.append({"井上", {4, 4, 3, 6, 4, 5, 4, 5, 6, 4, 6, 4, 4, 5, 5, 6, 4, 5}});
        // 上田: OUT 45 as bogeys; IN 5 7 5 4 5 6 6 4 5 = 47; gross 92.
        // Hidden 30 + (5+7+5+4+5+6 = 32) = 62: (93 − 72) × 0.8 = 16.8, net 75.2.
        players.append({"上田", {5, 5, 4, 6, 5, 5, 4, 5, 6, 5, 7, 5, 4, 5, 6, 6, 4, 5}});
        // 江藤: OUT 5 6 4 7 5 5 4 5 6 = 47; IN 45 as bogeys; gross 92.
        // Hidden (6+4+7+5+5+5 = 32) + 30 = 62: handicap 16.8, net 75.2, as 上田; the better
        // IN (45 against 47) puts him ahead.
        players.append({"江藤", {5, 6, 4, 7, 5, 5, 4, 5, 6, 5, 6, 5, 4, 5, 5, 6, 4, 5}});
        // 大野: OUT 5 5 5 6 6 6 4 5 6 = 48, IN 5 6 5 5 6 6 6 3 5 = 47, gross 95.
        // Hidden OUT 5+5+6+6+6+5 = 33, IN 5+6+5+5+6+6 = 33, together 66:
        // (99 − 72) × 0.8 = 21.6, net 73.4.
        players.append({"大野", {5, 5, 5, 6, 6, 6, 4, 5, 6, 5, 6, 5, 5, 6, 6, 6, 3, 5}});
        // 加藤: OUT 5 6 4 7 5 5 4 6 6 = 48, IN 6 7 6 4 5 5 5 4 5 = 47, gross 95.
        // Hidden OUT 6+4+7+5+5+6 = 33, IN 6+7+6+4+5+5 = 33: as 大野 in net, handicap and
        // IN, so the two share first place.
        players.append({"加藤", {5, 6, 4, 7, 5, 5, 4, 6, 6, 6, 7, 6, 4, 5, 5, 5, 4, 5}});

        const Results r = computeResults(kPars, kHidden, Options {}, players);
        QVERIFY2(r.ok(), qPrintable(r.error));
        QList<QStringList> rows;
        for (const PlayerResult &p : r.rows)
            rows.append(resultRow(p));
        const QList<QStringList> expected {
            {"1", "大野", "48", "47", "95", "21.6", "73.4"},
            {"1", "加藤", "48", "47", "95", "21.6", "73.4"},
            {"3", "江藤", "47", "45", "92", "16.8", "75.2"},
            {"4", "上田", "45", "47", "92", "16.8", "75.2"},
            {"5", "井上", "41", "43", "84", "8.4", "75.6"},
            {"6", "青木", "45", "45", "90", "14.4", "75.6"},
        };
        QCOMPARE(rows, expected);
        QCOMPARE(r.bestGross, 84);
        QCOMPARE(r.bestGrossNames, QStringList {"井上"});

        // The CSV rows are the heading and the same rows.
        const QList<QStringList> csv = resultsCsvRows(r);
        QCOMPARE(csv.size(), 7);
        QCOMPARE(
            csv[0], (QStringList {"順位", "氏名", "OUT", "IN", "グロス", "ハンディ", "ネット"}));
        QCOMPARE(csv[6], expected[5]);
    }

    // Every option away from its default at once, and a tie of each kind.
    void optionsAndTies()
    {
        const Options options {Cap::TripleBogey, Factor::Point9, Limit::L40};
        QList<Player> players;
        // 木村: bogeys but 9 on hole 3 (par 3), 12 on hole 4 (par 5), 8 on hole 13 (par 3):
        // OUT 56, IN 49, gross 105. Triple bogey counts 6, 8, 6: hidden 66.
        // (66 × 1.5 − 72) × 0.9 = 27 × 0.9 = 24.3; net 80.7.
        players.append({"木村", {5, 5, 9, 12, 5, 5, 4, 5, 6, 5, 6, 5, 8, 5, 5, 6, 4, 5}});
        // 林: OUT 8 6 4 6 6 6 7 5 9 = 57, IN 6 6 5 4 6 6 6 4 5 = 48, gross 105, nothing over
        // a triple bogey. Hidden OUT 6+4+6+6+6+5 = 33, IN 6+6+5+4+6+6 = 33: 66, so 24.3
        // and 80.7 as 木村, but the better IN (48 against 49).
        const Scores hayashi {8, 6, 4, 6, 6, 6, 7, 5, 9, 6, 6, 5, 4, 6, 6, 6, 4, 5};
        players.append({"林", hayashi});
        // 大木: triple bogey on every hole, but 8 on hole 3 (par 3): OUT 65, IN 63, gross
        // 128. Hole 3 counts 6, so hidden 48 + 12 × 3 = 84: (126 − 72) × 0.9 = 48.6, held
        // at 40.0; net 88.0.
        players.append({"大木", {7, 7, 8, 8, 7, 7, 6, 7, 8, 7, 8, 7, 6, 7, 7, 8, 6, 7}});
        // 森: as 林 hole for hole: the two share first place.
        players.append({"森", hayashi});

        const Results r = computeResults(kPars, kHidden, options, players);
        QVERIFY2(r.ok(), qPrintable(r.error));
        const QString expected = QStringLiteral("順位,氏名,OUT,IN,グロス,ハンディ,ネット\r\n"
                                                "1,林,57,48,105,24.3,80.7\r\n"
                                                "1,森,57,48,105,24.3,80.7\r\n"
                                                "3,木村,56,49,105,24.3,80.7\r\n"
                                                "4,大木,65,63,128,40.0,88.0\r\n");
        QCOMPARE(resultsCsv(r), expected);
        QCOMPARE(r.bestGrossNames, (QStringList {"林", "森", "木村"}));

        // A name with a comma or a quote is quoted in the CSV text.
        const Results quoted
            = computeResults(kPars, kHidden, Options {}, {{"O\"Neil, Jr", kBogeys}});
        QCOMPARE(resultsCsv(quoted).section("\r\n", 1, 1),
            QStringLiteral("1,\"O\"\"Neil, Jr\",45,45,90,14.4,75.6"));
    }

    void bestGrossShared()
    {
        // 甲: bogeys, gross 90, hidden 60, net 75.6.
        // 乙: hole 1 (not hidden) in 6, hole 2 (hidden) in 4: gross 90, hidden 59,
        // (88.5 − 72) × 0.8 = 13.2, net 76.8. Entered first, ranked second; both best gross.
        Scores other = kBogeys;
        other[0] = 6;
        other[1] = 4;
        const Results r
            = computeResults(kPars, kHidden, Options {}, {{"乙", other}, {"甲", kBogeys}});
        QCOMPARE(r.rows[1].net10, 768);
        QCOMPARE(r.bestGross, 90);
        QCOMPARE(r.bestGrossNames, (QStringList {"甲", "乙"}));
    }

    void resultsRefused_data()
    {
        QTest::addColumn<QList<int>>("hidden");
        QTest::addColumn<QList<Player>>("players");
        QTest::addColumn<QString>("error");
        const QList<Player> one {{"青木", kBogeys}};
        QTest::addRow("eleven holes") << QList<int> {2, 3, 4, 5, 6, 8, 10, 11, 12, 13,
            14} << one << "隠しホールが12ホール選ばれていません（選ばれているのは11ホール）";
        QTest::addRow("none") << QList<int> {} << one
                              << "隠しホールが12ホール選ばれていません（選ばれているのは0ホール）";
        Scores bad = kBogeys;
        bad[2] = 25;
        QTest::addRow("score") << kHidden << QList<Player> {{"山田", bad}}
                               << "「山田」の3番のスコア「25」は1から20の整数ではありません";
        bad[2] = 0;
        QTest::addRow("no score") << kHidden << QList<Player> {{"山田", bad}}
                                  << "「山田」の3番のスコア「0」は1から20の整数ではありません";
        QTest::addRow("duplicate")
            << kHidden << QList<Player> {{"山田", kBogeys}, {"山田 ", kBogeys}}
            << "参加者の氏名「山田」が重複しています";
        QTest::addRow("no name") << kHidden << QList<Player> {{"　", kBogeys}}
                                 << "参加者の氏名を入力してください";
        QTest::addRow("line break")
            << kHidden << QList<Player> {{"山田\n太郎", kBogeys}}
            << "参加者の氏名「山田 太郎」に改行などの制御文字が含まれています";
    }
    void resultsRefused()
    {
        QFETCH(QList<int>, hidden);
        QFETCH(QList<Player>, players);
        QFETCH(QString, error);
        const Results r = computeResults(kPars, hidden, Options {}, players);
        QCOMPARE(r.error, error);
        QVERIFY(r.rows.isEmpty());
    }

    // Random choices of a standard layout: every standard six equally likely, numbered in
    // ascending order of their holes.
    void standardLayout()
    {
        // OUT: one of par 3s 3, 7; four of par 4s 1, 2, 5, 6, 8; one of par 5s 4, 9:
        // 2 × 5 × 2 = 20 choices. IN: par 3s 13, 17; par 4s 10, 12, 14, 15, 18; par 5s 11,
        // 16: 20 too.
        QList<quint32> bounds;
        HiddenChoice c = chooseHiddenHoles(kPars, ScriptedRandom {{0, 0}, &bounds});
        QCOMPARE(bounds, (QList<quint32> {20, 20}));
        // The first choices: 1 2 3 4 5 6 (pars 4 4 3 5 4 4) and 10-15 (4 5 4 3 4 4).
        QCOMPARE(c.holes, (QList<int> {1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 14, 15}));
        QCOMPARE(c.standard, (std::array<bool, 2> {true, true}));
        QCOMPARE(c.hiddenPar, (std::array<int, 2> {24, 24}));
        QVERIFY(c.notice().isEmpty());

        // The second OUT choice: 1 2 3 4 5 7 has both par 3s, so 1 2 3 4 5 8 comes next.
        // The last IN choice: 13-18 has both par 3s; the next set down, 12 14 15 16 17 18
        // (4 4 4 5 3 4), is standard.
        bounds.clear();
        c = chooseHiddenHoles(kPars, ScriptedRandom {{1, 19}, &bounds});
        QCOMPARE(c.holes, (QList<int> {1, 2, 3, 4, 5, 8, 12, 14, 15, 16, 17, 18}));
        // The last OUT choice: 4-9 has both par 5s, and each of the sets from 3 has both par 3s
        // or both par 5s; the largest set from 2, 2 5 6 7 8 9 (4 4 4 3 4 5), is standard.
        bounds.clear();
        c = chooseHiddenHoles(kPars, ScriptedRandom {{19, 0}, &bounds});
        QCOMPARE(c.holes.mid(0, 6), (QList<int> {2, 5, 6, 7, 8, 9}));
        QVERIFY(hiddenHolesProblem(kPars, c.holes).isEmpty());

        // The system's random source always gives a whole choice.
        for (int i = 0; i < 50; ++i)
            QVERIFY(hiddenHolesProblem(kPars, chooseHiddenHoles(kPars, systemRandom()).holes)
                        .isEmpty());
    }

    void unusualLayouts_data()
    {
        QTest::addColumn<Pars>("pars");
        QTest::addColumn<QList<quint32>>("answers");
        QTest::addColumn<QList<quint32>>("bounds");
        QTest::addColumn<QList<int>>("holes");
        QTest::addColumn<int>("outPar");
        QTest::addColumn<bool>("outStandard");
        const std::array<int, 9> standardIn {4, 5, 4, 3, 4, 4, 5, 3, 4};
        // No par 3: seven par 4s (1 2 4 5 6 8 9); six of them make 24 exactly, 7 ways.
        QTest::addRow("no par 3") << halves({4, 4, 5, 4, 4, 4, 5, 4, 4}, standardIn)
                                  << QList<quint32> {0, 0} << QList<quint32> {7, 20}
                                  << QList<int> {1, 2, 4, 5, 6, 8, 10, 11, 12, 13, 14, 15} << 24
                                  << false;
        // No par 3, five par 4s (2 4 6 8 9), four par 5s (1 3 5 7): at least 4×5 + 5 = 25, by
        // the five 4s and one 5: 4 ways; the last adds 7.
        QTest::addRow("no par 3, 25 nearest")
            << halves({5, 4, 5, 4, 5, 4, 5, 4, 4}, standardIn) << QList<quint32> {3, 0}
            << QList<quint32> {4, 20} << QList<int> {2, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15} << 25
            << false;
        // Nine par 3s: any six make 18; C(9,6) = 84 ways.
        QTest::addRow("par 3s only")
            << halves({3, 3, 3, 3, 3, 3, 3, 3, 3}, standardIn) << QList<quint32> {0, 0}
            << QList<quint32> {84, 20} << QList<int> {1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 14, 15}
            << 18 << false;
        // Par 3s 1-3, par 4s 4-6, par 5s 7-9: only three par 4s. 3a + 4b + 5c = 24 with
        // a + b + c = 6 means a = c and 2a + b = 6: (3,0,3) one way, (2,2,2) 3×3×3 = 27
        // ways: 28. The first begins 1 2 3, which takes all three par 5s: 1 2 3 7 8 9.
        QTest::addRow("three par 4s")
            << halves({3, 3, 3, 4, 4, 4, 5, 5, 5}, standardIn) << QList<quint32> {0, 0}
            << QList<quint32> {28, 20} << QList<int> {1, 2, 3, 7, 8, 9, 10, 11, 12, 13, 14, 15}
            << 24 << false;
        // A par 6 on hole 7 is none of the standard pars: par 3 on hole 3 only, four of the
        // par 4s 1 2 5 6 8, one of the par 5s 4 9: 1 × 5 × 2 = 10 choices.
        QTest::addRow("par 6") << halves({4, 4, 3, 5, 4, 4, 6, 4, 5}, standardIn)
                               << QList<quint32> {0, 0} << QList<quint32> {10, 20}
                               << QList<int> {1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 14, 15} << 24
                               << true;
        QTest::addRow("standard") << kPars << QList<quint32> {0, 0} << QList<quint32> {20, 20}
                                  << QList<int> {1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 14, 15} << 24
                                  << true;
    }
    void unusualLayouts()
    {
        QFETCH(Pars, pars);
        QFETCH(QList<quint32>, answers);
        QFETCH(QList<quint32>, bounds);
        QFETCH(QList<int>, holes);
        QFETCH(int, outPar);
        QFETCH(bool, outStandard);
        QList<quint32> asked;
        const HiddenChoice c = chooseHiddenHoles(pars, ScriptedRandom {answers, &asked});
        QCOMPARE(asked, bounds);
        QCOMPARE(c.holes, holes);
        QCOMPARE(c.hiddenPar[0], outPar);
        QCOMPARE(c.standard[0], outStandard);
        QVERIFY(c.standard[1]);
        QVERIFY(hiddenHolesProblem(pars, c.holes).isEmpty());
        QCOMPARE(describeHiddenHoles(pars, c.holes).standard, c.standard);
        if (outStandard)
            QVERIFY(c.notice().isEmpty());
        else
            QCOMPARE(c.notice(),
                QStringLiteral("OUTにはパー3を1つ、パー4を4つ、パー5を1つ選べるホールがないため、"
                               "パーの合計が24にできるだけ近い6ホールを選びました（パーの合計 %1）")
                    .arg(outPar));
    }

    void ticksChecked_data()
    {
        QTest::addColumn<Pars>("pars");
        QTest::addColumn<QList<int>>("holes");
        QTest::addColumn<QString>("problem");
        QTest::addRow("whole") << kPars << kHidden << "";
        QTest::addRow("in any order")
            << kPars << QList<int> {15, 2, 3, 4, 5, 6, 8, 10, 11, 12, 13, 14} << "";
        QTest::addRow("seven and five")
            << kPars << QList<int> {1, 2, 3, 4, 5, 6, 8, 10, 11, 12, 13, 14}
            << "OUTの隠しホールは6ホールです（選ばれているのは7ホール）";
        // 3 and 7 are both par 3s.
        QTest::addRow("two par 3s")
            << kPars << QList<int> {3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15}
            << "OUTの隠しホールはパー3を1つ、パー4を4つ、パー5を1つにしてください"
               "（選ばれているのはパー3が2、パー4が3、パー5が1ホール）";
        // 11 and 16 are both par 5s.
        QTest::addRow("two par 5s IN")
            << kPars << QList<int> {2, 3, 4, 5, 6, 8, 10, 11, 12, 13, 14, 16}
            << "INの隠しホールはパー3を1つ、パー4を4つ、パー5を1つにしてください"
               "（選ばれているのはパー3が1、パー4が3、パー5が2ホール）";
        QTest::addRow("twice") << kPars << QList<int> {2, 2, 3, 4, 5, 6, 10, 11, 12, 13, 14, 15}
                               << "隠しホールに2番が二度選ばれています";
        QTest::addRow("19") << kPars << QList<int> {2, 3, 4, 5, 6, 8, 10, 11, 12, 13, 14, 19}
                            << "隠しホールの番号「19」は1から18の整数ではありません";
        QTest::addRow("13") << kPars << QList<int> {1, 2, 3, 4, 5, 6, 8, 10, 11, 12, 13, 14, 15}
                            << "隠しホールが12ホール選ばれていません（選ばれているのは13ホール）";
        // No par 3 OUT (seven par 4s, par 5s 3 and 7): six par 4s make 24; a par 5 for a par 4
        // makes 25, which is not as near.
        const Pars noThree = halves({4, 4, 5, 4, 4, 4, 5, 4, 4}, {4, 5, 4, 3, 4, 4, 5, 3, 4});
        QTest::addRow("nearest 24")
            << noThree << QList<int> {1, 2, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15} << "";
        QTest::addRow("not nearest")
            << noThree << QList<int> {1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 14, 15}
            << "OUTの隠しホールはパーの合計が24にできるだけ近い6ホール（合計24）にしてください"
               "（選ばれているのは合計25）";
        // Par 3 for 1-4, par 5 for 5-9: a par 3s and 6 − a par 5s total 30 − 2a, so three of
        // each make 24; 1-6 (four par 3s) make 22.
        const Pars threesFives = halves({3, 3, 3, 3, 5, 5, 5, 5, 5}, {4, 5, 4, 3, 4, 4, 5, 3, 4});
        QTest::addRow("threes and fives")
            << threesFives << QList<int> {1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 14, 15}
            << "OUTの隠しホールはパーの合計が24にできるだけ近い6ホール（合計24）にしてください"
               "（選ばれているのは合計22）";
        // Par 4s 1-2 only, par 5s 3-9 (no par 3): 4 + 4 + 4×5 = 28 at the least.
        const Pars longHalf = halves({4, 4, 5, 5, 5, 5, 5, 5, 5}, {4, 5, 4, 3, 4, 4, 5, 3, 4});
        QTest::addRow("28 nearest")
            << longHalf << QList<int> {3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15}
            << "OUTの隠しホールはパーの合計が24にできるだけ近い6ホール（合計28）にしてください"
               "（選ばれているのは合計30）";
    }
    void ticksChecked()
    {
        QFETCH(Pars, pars);
        QFETCH(QList<int>, holes);
        QFETCH(QString, problem);
        QCOMPARE(hiddenHolesProblem(pars, holes), problem);
    }

    void nearestAboveAndBelow()
    {
        // OUT pars 3 3 3 3 3 3 5 5 6: with k of the holes 7-9 and 6 − k par 3s, k = 2 gives
        // 12 + 5 + 5 = 22 or 12 + 5 + 6 = 23, k = 3 gives 9 + 16 = 25. 23 and 25 are as near
        // to 24: both are allowed.
        const Pars pars = halves({3, 3, 3, 3, 3, 3, 5, 5, 6}, {4, 5, 4, 3, 4, 4, 5, 3, 4});
        QCOMPARE(hiddenHolesProblem(pars, {1, 2, 3, 4, 7, 9, 10, 11, 12, 13, 14, 15}), QString());
        QCOMPARE(hiddenHolesProblem(pars, {1, 2, 3, 7, 8, 9, 10, 11, 12, 13, 14, 15}), QString());
        QCOMPARE(hiddenHolesProblem(pars, {1, 2, 3, 4, 7, 8, 10, 11, 12, 13, 14, 15}),
            QStringLiteral(
                "OUTの隠しホールはパーの合計が24にできるだけ近い6ホール（合計23または25）"
                "にしてください（選ばれているのは合計22）"));
        // 23: four of the six par 3s (C(6,4) = 15) with hole 9 and one of 7, 8: 30 sets.
        // 25: three par 3s (C(6,3) = 20) with 7, 8, 9: 20 sets. 50 in all.
        QList<quint32> asked;
        chooseHiddenHoles(pars, ScriptedRandom {{}, &asked});
        QCOMPARE(asked.first(), 50u);
    }
};

QTEST_GUILESS_MAIN(TestPeoria)
#include "tst_peoria.moc"

#include "competition.h"

#include "core/data/datafile.h"
#include "core/data/textinput.h"

#include <QFile>

namespace compe {

namespace {

// The longest file name the usual file systems take, in bytes.
constexpr qsizetype kMaxFileNameBytes = 255;

bool isBlank(QChar c)
{
    return c == QChar(' ') || c == QChar(0x3000);
}

bool hasControl(const QString &text)
{
    for (QChar c : text) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            return true;
    }
    return false;
}

// Digits as typed, half- or full-width, as a number; nullopt for anything else.
std::optional<int> wholeNumber(const QString &text)
{
    const QString t = datafile::trimBlanks(text);
    if (t.isEmpty() || t.size() > 9)
        return std::nullopt;
    int value = 0;
    for (QChar c : t) {
        int digit = -1;
        if (c >= QChar('0') && c <= QChar('9'))
            digit = c.unicode() - u'0';
        else if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19)
            digit = c.unicode() - 0xFF10;
        if (digit < 0)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

QString prizeWinnerProblem(const PrizeHole &prize)
{
    if (hasControl(prize.winner))
        return QStringLiteral("%1（%2番）の名前「%3」に改行などの制御文字が含まれています")
            .arg(prizeKindText(prize.kind))
            .arg(prize.hole)
            .arg(prize.winner.simplified());
    return {};
}

} // namespace

QString hiddenHolesShapeProblem(const QList<int> &holes)
{
    std::array<bool, kHoles + 1> seen {};
    std::array<int, 2> perHalf {};
    for (int hole : holes) {
        if (hole < 1 || hole > kHoles)
            return QStringLiteral("隠しホールの番号「%1」は1から18の整数ではありません").arg(hole);
        if (seen[hole])
            return QStringLiteral("隠しホールに%1番が二度選ばれています").arg(hole);
        seen[hole] = true;
        if (++perHalf[(hole - 1) / 9] > kHiddenPerHalf)
            return QStringLiteral("%1の隠しホールは6ホールまでです").arg(halfName((hole - 1) / 9));
    }
    return {};
}

QString prizeKindText(PrizeKind kind)
{
    return kind == PrizeKind::Drive ? QStringLiteral("ドラコン") : QStringLiteral("ニアピン");
}

int Competition::coursePar() const
{
    int sum = 0;
    for (int par : pars)
        sum += par;
    return sum;
}

QString Competition::fileName() const
{
    return compeFileName(date, name);
}

Results Competition::results() const
{
    return computeResults(pars, hiddenHoles, options, players);
}

QString compeFileName(const QDate &date, const QString &name)
{
    return date.toString(QStringLiteral("yyyy-MM-dd")) + QChar('_') + name
        + QStringLiteral(".json");
}

QString setCourses(Competition &c, const TCourseRecord &out, const TCourseRecord &in)
{
    if (out.LinksName != in.LinksName)
        return QStringLiteral("コース「%1」と「%2」は同じゴルフ場のコースではありません")
            .arg(out.CourseName, in.CourseName);
    const TCourseRecord *halves[] = {&out, &in};
    for (int half = 0; half < 2; ++half)
        for (int h = 0; h < 9; ++h) {
            const int par = halves[half]->Par[h];
            if (par < kMinPar || par > kMaxPar)
                return QStringLiteral("コース「%1」の%2番のパー「%3」は3から6の整数ではありません")
                    .arg(halves[half]->CourseName)
                    .arg(h + 1)
                    .arg(par);
        }
    c.club = out.LinksName;
    for (int half = 0; half < 2; ++half) {
        c.courses[half] = halves[half]->CourseName;
        for (int h = 0; h < 9; ++h)
            c.pars[9 * half + h] = halves[half]->Par[h];
    }
    return {};
}

QString nameProblem(const QString &name)
{
    if (datafile::trimBlanks(name).isEmpty())
        return QStringLiteral("コンペ名を入力してください");
    // Two names that differ only by a blank at an end would look like one competition.
    if (isBlank(name.front()) || isBlank(name.back()))
        return QStringLiteral("コンペ名「%1」の前後に空白があります").arg(name);
    if (const QStringList unsavable = textinput::unsavableCharacters(name); !unsavable.isEmpty())
        return QStringLiteral("コンペ名の「%1」は保存できない文字です")
            .arg(unsavable.join(QStringLiteral("」「")));
    if (!datafile::isUsableGolferName(name))
        return QStringLiteral("コンペ名「%1」にはファイル名に使えない文字（\\ / : * ? \" < > | "
                              "や改行など）が含まれています")
            .arg(name.simplified());
    // The kept-aside copy of a damaged file is the longest name the file will ever have.
    const QString longest
        = compeFileName(QDate(2000, 1, 1), name) + QStringLiteral(".damaged-2000-01-01-99");
    if (QFile::encodeName(longest).size() > kMaxFileNameBytes)
        return QStringLiteral("コンペ名が長すぎます（ファイル名にできる長さを超えています）");
    return {};
}

std::optional<int> parseScore(const QString &text)
{
    const std::optional<int> n = wholeNumber(text);
    if (!n || *n < kMinScore || *n > kMaxScore)
        return std::nullopt;
    return n;
}

std::optional<Player> playerFromTexts(
    const QString &name, const QStringList &scoreTexts, bool golfer, QString *problem)
{
    *problem = playerNameProblem(name);
    if (!problem->isEmpty())
        return std::nullopt;
    if (scoreTexts.size() != kHoles) {
        *problem = QStringLiteral("「%1」のスコアが18ホール分ありません").arg(name);
        return std::nullopt;
    }
    Player player {name, {}, golfer};
    for (int h = 0; h < kHoles; ++h) {
        *problem = scoreTextProblem(name, h + 1, scoreTexts[h]);
        if (!problem->isEmpty())
            return std::nullopt;
        player.scores[h] = *parseScore(scoreTexts[h]);
    }
    return player;
}

QString scoreTextProblem(const QString &name, int hole, const QString &text)
{
    if (datafile::trimBlanks(text).isEmpty())
        return QStringLiteral("「%1」の%2番のスコアを入力してください").arg(name).arg(hole);
    if (!parseScore(text))
        return QStringLiteral("「%1」の%2番のスコア「%3」は1から20の整数ではありません")
            .arg(name)
            .arg(hole)
            .arg(text);
    return {};
}

QString joinProblem(const Competition &c, const Player &player)
{
    if (const QString problem = playerProblem(player); !problem.isEmpty())
        return problem;
    const QString key = datafile::trimBlanks(player.name);
    for (const Player &p : c.players)
        if (datafile::trimBlanks(p.name) == key)
            return QStringLiteral("参加者の氏名「%1」が重複しています").arg(key);
    return playerCountProblem(c.players.size() + 1);
}

QString playerCountProblem(qsizetype count)
{
    if (count > kMaxPlayers)
        return QStringLiteral("参加者は%1人までです").arg(kMaxPlayers);
    return {};
}

std::optional<int> parsePrizeHole(PrizeKind kind, const QString &text, QString *problem)
{
    problem->clear();
    if (datafile::trimBlanks(text).isEmpty()) {
        *problem = QStringLiteral("%1のホールを入力してください").arg(prizeKindText(kind));
        return std::nullopt;
    }
    const std::optional<int> n = wholeNumber(text);
    if (!n || *n < 1 || *n > kHoles) {
        *problem = QStringLiteral("%1のホール「%2」は1から18の整数ではありません")
                       .arg(prizeKindText(kind), text);
        return std::nullopt;
    }
    return n;
}

QString coursesProblem(const Competition &c)
{
    if (datafile::trimBlanks(c.club).isEmpty())
        return QStringLiteral("ゴルフ場を選択してください");
    for (int half = 0; half < 2; ++half)
        if (datafile::trimBlanks(c.courses[half]).isEmpty())
            return QStringLiteral("%1のコースを選択してください").arg(halfName(half));
    return parsProblem(c.pars);
}

QString competitionProblem(const Competition &c)
{
    if (!c.date.isValid() || c.date.year() < 1900 || c.date.year() > 9999)
        return QStringLiteral("コンペの日付がありません");
    if (const QString problem = nameProblem(c.name); !problem.isEmpty())
        return problem;
    if (const QString problem = coursesProblem(c); !problem.isEmpty())
        return problem;
    if (const QString problem = playerCountProblem(c.players.size()); !problem.isEmpty())
        return problem;
    if (const QString problem = playersProblem(c.players); !problem.isEmpty())
        return problem;
    if (const QString problem = hiddenHolesShapeProblem(c.hiddenHoles); !problem.isEmpty())
        return problem;
    QList<std::pair<PrizeKind, int>> seen;
    std::array<int, 2> perKind {};
    for (const PrizeHole &prize : c.prizes) {
        if (++perKind[int(prize.kind)] > kMaxPrizesPerKind)
            return QStringLiteral("%1は%2ホールまでです")
                .arg(prizeKindText(prize.kind))
                .arg(kMaxPrizesPerKind);
        if (prize.hole < 1 || prize.hole > kHoles)
            return QStringLiteral("%1のホール「%2」は1から18の整数ではありません")
                .arg(prizeKindText(prize.kind))
                .arg(prize.hole);
        if (seen.contains(std::pair(prize.kind, prize.hole)))
            return QStringLiteral("%1の%2番が二つあります")
                .arg(prizeKindText(prize.kind))
                .arg(prize.hole);
        seen.append({prize.kind, prize.hole});
        if (const QString problem = prizeWinnerProblem(prize); !problem.isEmpty())
            return problem;
    }
    return {};
}

} // namespace compe

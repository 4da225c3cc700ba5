#include "support/builders.h"
#include "support/windowtest.h"

class TestSmoke : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensWithOneGolfer()
    {
        WindowFixture f;
        f.writeLinks({build::club(QStringLiteral("A倶楽部"))});
        f.writeGolfers({QStringLiteral("山田")});
        f.open();
        QCOMPARE(f.form->golferName(), QStringLiteral("山田"));
        QCOMPARE(f.status(), QStringLiteral("ラウンド予定数は 0 回"));
        QCOMPARE(
            f.childTexts({QStringLiteral("ゴルフ場")}), QStringList {QStringLiteral("A倶楽部")});
    }
};

QTEST_MAIN(TestSmoke)
#include "tst_smoke.moc"

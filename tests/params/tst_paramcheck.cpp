#include "ParamFixture.h"

#include "params/ParamCheck.h"
#include "params/ParamEditor.h"

#include <QSet>

using PC = ParamControl;

namespace {

struct Loaded {
    ParamState state;
    EditorValues values;
};

// The worked example as the editor shows it: every value on a bound or between.
Loaded workedExample() {
    Loaded l;
    loadParameterLines(fixture::workedExampleLines(), l.state);
    l.values = EditorValues::initial();
    AfficherParametres(l.state, l.values);
    return l;
}

QSet<PC> markedSet(const ParamCheck& check) {
    QSet<PC> set;
    for (int i = 0; i < kParamControlCount; ++i)
        if (check.isMarked(static_cast<PC>(i)))
            set.insert(static_cast<PC>(i));
    return set;
}

using Edits = QList<QPair<PC, QString>>;

} // namespace

Q_DECLARE_METATYPE(Edits)

class TestParamCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void marks_data();
    void marks();
    void zeroBoundsMarkEveryNonZeroValue();
    void rangeToolTips();
    void versionDependentVisibility();
    void accessFollowsMaintenanceMode();
};

void TestParamCheck::marks_data() {
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QList<PC>>("expected");

    QTest::newRow("worked example passes") << Edits{} << QList<PC>{};
    QTest::newRow("lower bound inclusive") << Edits{{PC::Rdmesu, "100"}} << QList<PC>{};
    QTest::newRow("below lower bound") << Edits{{PC::Rdmesu, "99"}} << QList<PC>{PC::Rdmesu};
    QTest::newRow("upper bound inclusive") << Edits{{PC::Gfbeep, "2500"}} << QList<PC>{};
    QTest::newRow("above upper bound") << Edits{{PC::Gfbeep, "2501"}} << QList<PC>{PC::Gfbeep};
    QTest::newRow("max below min marks max, not min")
        << Edits{{PC::Ralsfmin, "100"}, {PC::Ralsfmax, "90"}, {PC::Ralsfc, "95"}}
        << QList<PC>{PC::Ralsfmax, PC::Ralsfc};
    QTest::newRow("max above alsfM upper")
        << Edits{{PC::Ralsfmax, "20001"}} << QList<PC>{PC::Ralsfmax};
    QTest::newRow("current above max")
        << Edits{{PC::Ralsfmin, "100"}, {PC::Ralsfmax, "200"}, {PC::Ralsfc, "201"}}
        << QList<PC>{PC::Ralsfc};
    QTest::newRow("current below min")
        << Edits{{PC::Ralsfmin, "100"}, {PC::Ralsfmax, "200"}, {PC::Ralsfc, "99"}}
        << QList<PC>{PC::Ralsfc};
    QTest::newRow("empty battery above full")
        << Edits{{PC::Gbatpl, "300"}, {PC::Gbatvi, "301"}, {PC::Gbatar, "200"}}
        << QList<PC>{PC::Gbatvi};
    QTest::newRow("switch-off above empty battery")
        << Edits{{PC::Gbatpl, "300"}, {PC::Gbatvi, "250"}, {PC::Gbatar, "251"}}
        << QList<PC>{PC::Gbatar};
    QTest::newRow("switch-off below its own lower bound")
        << Edits{{PC::Gbatar, "179"}} << QList<PC>{PC::Gbatar};

    // An unreadable field is marked itself and hides nothing after it.
    QTest::newRow("empty field marked, later out-of-range still found")
        << Edits{{PC::Rtrack, ""}, {PC::Gfbeep, "9999"}} << QList<PC>{PC::Rtrack, PC::Gfbeep};
    QTest::newRow("out-of-range before an empty field")
        << Edits{{PC::Rdmesu, "50"}, {PC::Rmoyg1, ""}} << QList<PC>{PC::Rdmesu, PC::Rmoyg1};
    QTest::newRow("not an integer") << Edits{{PC::Gcoefs, "2 "}} << QList<PC>{PC::Gcoefs};
    QTest::newRow("unreadable neighbour bounds nothing")
        << Edits{{PC::Ralsfmin, ""}, {PC::Ralsfmax, "70"}, {PC::Ralsfc, "60"}}
        << QList<PC>{PC::Ralsfmin};
    QTest::newRow("operator text the file cannot carry")
        << Edits{{PC::Popcom, QString::fromUtf8("Opérateur → Œ")}} << QList<PC>{PC::Popcom};
    QTest::newRow("operator text with Windows-1252 characters")
        << Edits{{PC::Popcom, QString::fromUtf8("Opé € Œ ‰")}} << QList<PC>{};
}

void TestParamCheck::marks() {
    QFETCH(Edits, edits);
    QFETCH(QList<PC>, expected);
    Loaded l = workedExample();
    for (const auto& [control, text] : edits)
        (control == PC::Popcom ? l.values.opcom : l.values.number(control)) = text;

    const ParamCheck check = TestParametres(l.values, l.state.Plages);
    QCOMPARE(markedSet(check), QSet<PC>(expected.begin(), expected.end()));
    QCOMPARE(check.ok(), expected.isEmpty());
}

void TestParamCheck::zeroBoundsMarkEveryNonZeroValue() {
    EditorValues values;
    values.numbers.fill("0");
    const RangeTable zero;
    QVERIFY(TestParametres(values, zero).ok());
    values.number(PC::Gbatpl) = "1";
    values.number(PC::Rtrack) = "-1";
    QCOMPARE(markedSet(TestParametres(values, zero)), (QSet<PC>{PC::Gbatpl, PC::Rtrack}));
}

void TestParamCheck::rangeToolTips() {
    const QStringList tips = [] {
        const auto a = AfficherPlages(workedExample().state.Plages);
        return QStringList(a.begin(), a.end());
    }();
    const QStringList expected = {
        "Plage : 100 à 10000",
        "Plage : 1 à 99",
        "Plage : 1 à 100",
        "Plage : 1 à 100",
        "Plage : 50 à 20000",
        "Plage : Seuil min à 20000",
        "Plage : Seuil min à Seuil max",
        "Plage : 0 à 1000",
        "Plage : 60 à 1800",
        "Plage : 200 à 1000",
        "Plage : 200 à Tension batterie pleine",
        "Plage : 180 à Tension batterie vide",
        "Plage : 0 à 1023",
        "Plage : 0 à 1023",
        "Plage : 100 à 1000",
        "Plage : 0 à 10000",
        "Plage : 50 à 2500",
        "Plage : 2 à 10",
    };
    QCOMPARE(tips, expected);
}

void TestParamCheck::versionDependentVisibility() {
    QVERIFY(versionHidesOptionalSettings("V2.05"));
    QVERIFY(versionHidesOptionalSettings("12.0"));
    QVERIFY(!versionHidesOptionalSettings("1.9"));
    QVERIFY(!versionHidesOptionalSettings("Version du logiciel"));
}

void TestParamCheck::accessFollowsMaintenanceMode() {
    const QSet<PC> ordinaryUser = {PC::Popcom, PC::PLangue, PC::Rmodef, PC::Ralarm,
                                   PC::Ralsfc, PC::Garret,  PC::Gfbeep};
    for (int i = 0; i < kParamControlCount; ++i) {
        const PC c = static_cast<PC>(i);
        QCOMPARE(isControlEnabled(c, false), ordinaryUser.contains(c));
        QCOMPARE(isControlEnabled(c, true), c != PC::PDate);
    }
}

QTEST_GUILESS_MAIN(TestParamCheck)
#include "tst_paramcheck.moc"

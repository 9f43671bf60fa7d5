// The ABPM figures of the summary window, the signed report's PDF
// (pdftotext), the GDT result, the FHIR Bundle and the CSV export against
// an exact reference written from the definitions (data/AbpmExact.h), over
// recordings drawn across the whole range: schedules 15/15, 15/30, 20/60
// and 30/30 minutes, recorder pauses, nights across midnight, New Year and
// both changes of daylight saving time (the test runs in Europe/Berlin),
// means just below, on and above every threshold's rounding edge (x.x4,
// x.x5, x.x6), night/day ratios at 0.8, 0.9 and 1.0 and 0.0005 either
// side, the narrow periods and both sets of thresholds. Every drafted
// conclusion is read back against the reference: each figure it names is
// the figure shown, on the side of its threshold it says.
#include "PrintTestSupport.h"
#include "data/AbpmExact.h"

#include "data/AbpmCsv.h"
#include "data/AbpmReportSource.h"
#include "data/AbpmSettings.h"
#include "data/AbpmSummary.h"
#include "data/RecordingDetailsStore.h"
#include "exchange/FhirBundle.h"
#include "exchange/GdtLines.h"
#include "exchange/GdtSend.h"
#include "print/AbpmSignedReport.h"
#include "text/MessageCatalogue.h"
#include "views/AbpmWindows.h"
#include "views/frmAbpm.h"

#include <QJsonArray>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QTextTable>

#include <QSet>

#include <ctime>
#include <functional>
#include <numeric>

using namespace printtest;
using namespace abpmexact;

namespace {

struct Case {
    QString name;
    std::vector<Reading> readings;
    bool acc = false;
    bool narrow = false;
    // What the case aims at, and whether it was reached exactly.
    QString aim;
    bool exact = false;
};

// A small deterministic generator of noise.
struct Noise {
    quint32 state;
    int next(int spread) // -spread..spread
    {
        state = state * 1664525u + 1013904223u;
        return int((state >> 8) % quint32(2 * spread + 1)) - spread;
    }
};

qint64 utcOfWall(const QDate& date, const QTime& wall)
{
    const qint64 naive = QDateTime(date, wall, Qt::UTC).toSecsSinceEpoch();
    return europeanOffset(naive - 7200) == 7200 ? naive - 7200 : naive - 3600;
}

bool generatorNight(const Reading& r)
{
    const int h = r.wall().time().hour();
    return h >= 22 || h < 7;
}

// A recording of 25 hours: sys/dia about the given day and night bases.
std::vector<Reading> generateRecording(qint64 start, int dayStep, int nightStep, int pauseFrom, int pauseHours,
                                       Threshold dayBase, Threshold nightBase, quint32 seed)
{
    Noise noise{seed};
    std::vector<Reading> rs;
    for (qint64 t = start; t < start + 25 * 3600;) {
        Reading r;
        r.utc = t;
        const bool night = generatorNight(r);
        const qint64 step = 60 * (night ? nightStep : dayStep);
        const bool paused = pauseHours > 0 && t >= start + pauseFrom * 3600 && t < start + (pauseFrom + pauseHours) * 3600;
        if (!paused) {
            const Threshold base = night ? nightBase : dayBase;
            r.sys = base.sys + noise.next(5);
            r.dia = base.dia + noise.next(4);
            r.pulse = (night ? 62 : 76) + noise.next(6);
            rs.push_back(r);
        }
        t += step;
    }
    return rs;
}

void fillMap(std::vector<Reading>& rs)
{
    for (Reading& r : rs)
        r.map = (r.sys + 2 * r.dia + 1) / 3;
}

int& valueRef(Reading& r, int q)
{
    return q == 0 ? r.sys : r.dia;
}

// Moves a plain period mean onto target/100: drops readings (as artefacts)
// until target * n / 100 is whole, then spreads the difference in 1 mmHg steps.
bool aimPlain(std::vector<Reading>& rs, const std::function<bool(const Reading&)>& in, int q, qint64 target)
{
    std::vector<Reading*> mine;
    for (Reading& r : rs)
        if (!r.artefact && in(r))
            mine.push_back(&r);
    qint64 n = qint64(mine.size());
    qint64 keep = n;
    while (keep >= 10 && (target * keep) % 100 != 0)
        --keep;
    if (keep >= 10 && keep < n) {
        for (qint64 k = 0; k < n - keep; ++k) {
            Reading* r = mine[size_t(std::min<qint64>(1 + k * 2, n - 1 - k))]; // spread over the period
            r->artefact = true;
            r->sys = 260; // out of range: an artefact
        }
        std::vector<Reading*> left;
        for (Reading* r : mine)
            if (!r->artefact)
                left.push_back(r);
        mine = left;
        n = keep;
    }
    qint64 sum = 0;
    for (Reading* r : mine)
        sum += valueRef(*r, q);
    const bool exact = (target * n) % 100 == 0;
    qint64 delta = (target * n + 50) / 100 - sum;
    for (size_t i = 0; delta != 0; i = (i + 1) % mine.size()) {
        const int step = delta > 0 ? 1 : -1;
        valueRef(*mine[i], q) += step;
        delta -= step;
    }
    return exact;
}

// Moves the time-weighted 24-hour mean as near target/100 as whole mmHg allow.
bool aimWeighted(std::vector<Reading>& rs, int q, qint64 target)
{
    std::vector<Reading*> valid;
    for (Reading& r : rs)
        if (!r.artefact)
            valid.push_back(&r);
    std::vector<qint64> w(valid.size(), 0);
    for (size_t i = 0; i < valid.size(); ++i) {
        if (i > 0)
            w[i] += std::min<qint64>(valid[i]->utc - valid[i - 1]->utc, kCapSeconds);
        if (i + 1 < valid.size())
            w[i] += std::min<qint64>(valid[i + 1]->utc - valid[i]->utc, kCapSeconds);
    }
    Int total = 0, sum = 0;
    for (size_t i = 0; i < valid.size(); ++i) {
        total += w[i];
        sum += Int(w[i]) * valueRef(*valid[i], q);
    }
    Int rest = Int(target) * total - 100 * sum; // in hundredths of weight-mmHg
    std::vector<size_t> order(valid.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return w[a] > w[b]; });
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i : order) {
            if (w[i] == 0)
                continue;
            const Int d = std::clamp<Int>(rest / (100 * Int(w[i])), -3, 3);
            valueRef(*valid[i], q) += int(d);
            rest -= 100 * Int(w[i]) * d;
        }
    // The last step: the one change of 1 mmHg that comes nearest.
    for (int step = 0; step < 4 && rest != 0; ++step) {
        size_t best = valid.size();
        Int bestRest = rest < 0 ? -rest : rest;
        int bestSign = 0;
        for (size_t i = 0; i < valid.size(); ++i)
            for (int sign : {1, -1}) {
                const Int r = rest - 100 * Int(w[i]) * sign;
                if ((r < 0 ? -r : r) < bestRest) {
                    bestRest = r < 0 ? -r : r;
                    best = i;
                    bestSign = sign;
                }
            }
        if (best == valid.size())
            break;
        valueRef(*valid[best], q) += bestSign;
        rest -= 100 * Int(w[best]) * bestSign;
    }
    return rest == 0;
}

// The weighted aim can be met exactly only for some lengths: drops up to
// 15 readings at the end (the recorder taken off earlier) until it is.
bool aimWeightedExactly(std::vector<Reading>& rs, int q, qint64 target)
{
    for (size_t drop = 0; drop < 16 && drop + 10 < rs.size(); ++drop) {
        std::vector<Reading> shorter(rs.begin(), rs.end() - qint64(drop));
        if (aimWeighted(shorter, q, target)) {
            rs = shorter;
            return true;
        }
    }
    return aimWeighted(rs, q, target);
}

std::vector<Case> cases()
{
    struct Schedule {
        int day, night;
    };
    const Schedule schedules[] = {{15, 15}, {15, 30}, {20, 60}, {30, 30}};
    struct Start {
        QDate date;
        const char* name;
    };
    const Start starts[] = {{QDate(2025, 6, 10), "June"},
                            {QDate(2025, 12, 31), "New Year"},
                            {QDate(2026, 3, 28), "spring change"},
                            {QDate(2026, 10, 24), "autumn change"}};
    const int offsets[] = {-6, -5, -4, 4, 5, 6};
    const char* periodNames[] = {"24 h weighted", "day", "night"};
    std::vector<Case> all;
    // Means on the edges of every threshold: 18 drawn across the
    // schedules, starts and sets, and exact halves of every kind.
    struct Edge {
        int i, schedule, start;
        bool acc;
        int period, q, offset;
    };
    std::vector<Edge> edges;
    for (int i = 0; i < 18; ++i)
        edges.push_back({i, i % 4, (i / 4) % 4, (i / 2) % 2 == 1, i % 3, (i / 3) % 2, offsets[(i + i / 6) % 6]});
    edges.push_back({18, 0, 1, false, 2, 0, 5});  // night sys 120.05, 15/15 over New Year
    edges.push_back({19, 0, 2, true, 2, 1, -5});  // night dia 64.95, 15/15 over the spring change
    edges.push_back({20, 1, 3, false, 0, 0, -5}); // 24 h sys 129.95, 15/30 over the autumn change
    edges.push_back({21, 2, 0, true, 0, 1, 5});   // 24 h dia 75.05, 20/60
    edges.push_back({22, 3, 2, false, 1, 1, 5});  // day dia 85.05, 30/30 over the spring change
    for (const Edge& e : edges) {
        const int i = e.i;
        Case c;
        const Schedule s = schedules[e.schedule];
        const Start st = starts[e.start];
        c.acc = e.acc;
        const int period = e.period;
        const int q = e.q;
        const Threshold t = threshold(c.acc, period);
        const qint64 target = qint64(q == 0 ? t.sys : t.dia) * 100 + e.offset;
        Threshold dayBase{c.acc ? 128 : 132, c.acc ? 78 : 82}, nightBase{c.acc ? 108 : 114, c.acc ? 64 : 68};
        if (period != 2)
            (q == 0 ? dayBase.sys : dayBase.dia) = int(target / 100);
        if (period != 1)
            (q == 0 ? nightBase.sys : nightBase.dia) = int(target / 100);
        const int pauseHours = i % 3 == 1 ? 3 : i % 5 == 2 ? 1 : 0;
        c.readings = generateRecording(utcOfWall(st.date, QTime(11, 0)), s.day, s.night, i % 3 == 1 ? 5 : 14,
                                       pauseHours, dayBase, nightBase, quint32(1000 + i));
        if (period == 0)
            c.exact = aimWeightedExactly(c.readings, q, target);
        else
            c.exact = aimPlain(c.readings, period == 1 ? [](const Reading& r) { return !generatorNight(r); }
                                                       : [](const Reading& r) { return generatorNight(r); },
                               q, target);
        fillMap(c.readings);
        c.aim = QStringLiteral("%1 %2 %3.%4").arg(QLatin1String(periodNames[period]), q == 0 ? "sys" : "dia")
                    .arg(target / 100).arg(target % 100, 2, 10, QLatin1Char('0'));
        c.name = QStringLiteral("%1/%2 %3 %4%5, %6").arg(s.day).arg(s.night).arg(QLatin1String(st.name))
                     .arg(c.acc ? "ACC/AHA" : "ESH")
                     .arg(pauseHours ? QStringLiteral(" pause %1 h").arg(pauseHours) : QString(), c.aim);
        all.push_back(c);
    }
    // Night/day ratios at 0.8, 0.9, 1.0 and 0.0005 either side: day 200.0, night 159.9 ... 200.1.
    int k = 0;
    for (int ratio : {800, 900, 1000})
        for (int side : {-5, 0, 5}) {
            Case c;
            c.acc = k % 2 == 0;
            const qint64 night = qint64(ratio) * 20 + side * 2; // hundredths: 200.00 * ratio/1000 + side/10000 * 200
            const Schedule s = schedules[k % 2 == 0 ? 0 : 3];
            c.readings = generateRecording(utcOfWall(starts[k % 4].date, QTime(11, 0)), s.day, s.night, 0, 0,
                                           {200, 100}, {int(night / 100), 88}, quint32(2000 + k));
            const bool day = aimPlain(c.readings, [](const Reading& r) { return !generatorNight(r); }, 0, 20000);
            c.exact = day && aimPlain(c.readings, [](const Reading& r) { return generatorNight(r); }, 0, night);
            fillMap(c.readings);
            c.aim = QStringLiteral("ratio %1").arg(double(night) / 20000.0, 0, 'f', 4);
            c.name = QStringLiteral("%1/%2 %3, %4").arg(s.day).arg(s.night).arg(QLatin1String(starts[k % 4].name), c.aim);
            all.push_back(c);
            ++k;
        }
    // The narrow periods: readings between them count for 24 hours only.
    for (int i = 0; i < 2; ++i) {
        Case c;
        c.narrow = true;
        c.acc = i == 1;
        c.readings = generateRecording(utcOfWall(starts[i + 2].date, QTime(11, 0)), 20, 30, 0, 0, {136, 84}, {118, 71},
                                       quint32(3000 + i));
        fillMap(c.readings);
        c.aim = QStringLiteral("narrow periods");
        c.name = QStringLiteral("narrow, %1").arg(QLatin1String(starts[i + 2].name));
        all.push_back(c);
    }
    return all;
}

const std::vector<Case>& allCases()
{
    static const std::vector<Case> built = cases();
    return built;
}

Periods periodsOf(const Case& c)
{
    return c.narrow ? Periods{10 * 60, 20 * 60, 0, 6 * 60} : Periods{};
}

// ---- Shown texts of the reference ----

struct Texts {
    bool german = false;

    QString none() const { return QStringLiteral("-"); }
    QString one(const std::optional<Frac>& f) const { return f ? unitsText(shownUnits(*f, 1), 1, german) : none(); }
    QString root(const std::optional<Frac>& f) const { return f ? unitsText(shownSqrtUnits(*f, 1), 1, german) : none(); }
    // Bilo's SD and, when it lies on a half, the other neighbour.
    QStringList bilo(const std::optional<long double>& v) const
    {
        if (!v)
            return {none()};
        const long double tenths = *v * 10;
        const Int k = Int(std::floor(tenths + 0.5L));
        QStringList texts{unitsText(k, 1, german)};
        if (std::fabs(tenths - std::floor(tenths) - 0.5L) < 1e-9L)
            texts << unitsText(tenths - std::floor(tenths) < 0.5L ? k + 1 : k - 1, 1, german);
        return texts;
    }
    QString share(qint64 part, qint64 whole) const
    {
        return whole > 0 ? unitsText(Int(part) * 1000 / whole, 1, german) : none();
    }
    QString dipName(int c, bool capital) const
    {
        static const char* en[] = {"extreme dipper", "dipper", "non-dipper", "reverse dipper"};
        static const char* de[] = {"extremer Dipper", "Dipper", "Non-Dipper", "inverser Dipper"};
        QString name = QString::fromUtf8(german ? de[c] : en[c]);
        if (capital)
            name[0] = name[0].toUpper();
        return name;
    }
    QString setName(bool acc) const { return acc ? QStringLiteral("ACC/AHA 2017") : QStringLiteral("ESH"); }
    QString ed(const char* english, const char* germanText) const { return QString::fromUtf8(german ? germanText : english); }
};

// The assessed means of a period as shown (tenths) and which reach the threshold.
struct Verdict {
    Int sys10 = 0, dia10 = 0;
    Threshold t{0, 0};
    bool sysAbove = false, diaAbove = false;
    bool any() const { return sysAbove || diaAbove; }
};

std::optional<Verdict> verdictOf(const Reference& ref, int period, bool acc)
{
    const QuantityRef& s = ref.period[size_t(period)].q[0];
    const QuantityRef& d = ref.period[size_t(period)].q[1];
    const std::optional<Frac>& sm = period == 0 ? s.weightedMean : s.mean;
    const std::optional<Frac>& dm = period == 0 ? d.weightedMean : d.mean;
    if (!sm || !dm)
        return std::nullopt;
    Verdict v;
    v.sys10 = shownUnits(*sm, 1);
    v.dia10 = shownUnits(*dm, 1);
    v.t = threshold(acc, period);
    v.sysAbove = v.sys10 >= Int(v.t.sys) * 10;
    v.diaAbove = v.dia10 >= Int(v.t.dia) * 10;
    return v;
}

QString verdictText(const Verdict& v, const Texts& x, bool german)
{
    if (!v.any())
        return x.ed("below %1/%2", "unter %1/%2").arg(v.t.sys).arg(v.t.dia);
    QStringList parts;
    if (v.sysAbove)
        parts << x.ed("systolic %1 at or above %2", "systolisch %1 auf oder über %2").arg(unitsText(v.sys10, 1, german)).arg(v.t.sys);
    if (v.diaAbove)
        parts << x.ed("diastolic %1 at or above %2", "diastolisch %1 auf oder über %2").arg(unitsText(v.dia10, 1, german)).arg(v.t.dia);
    return parts.join(QStringLiteral(", "));
}

// The cells of each table of a document, row by row.
QList<QList<QStringList>> tablesOf(QTextDocument* doc)
{
    QList<QList<QStringList>> tables;
    for (QTextFrame* frame : doc->rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        QList<QStringList> rows;
        for (int r = 0; r < table->rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                QTextCursor cursor = cell.firstCursorPosition();
                cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                cells << cursor.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char(' ')).simplified();
            }
            rows << cells;
        }
        tables << rows;
    }
    return tables;
}

// Collects the figures that differ, with where they are.
struct Tally {
    QStringList differences;
    int figures = 0;

    void check(const QString& where, const QString& shown, const QStringList& wanted)
    {
        ++figures;
        if (!wanted.contains(shown))
            differences << QStringLiteral("%1: shows \"%2\", reference \"%3\"").arg(where, shown, wanted.join(QStringLiteral("\" or \"")));
    }
    void check(const QString& where, const QString& shown, const QString& wanted) { check(where, shown, QStringList{wanted}); }
};

} // namespace

class TestAbpmAgreement : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;
    std::unique_ptr<QPrinter> m_printer;
    static inline int s_figures = 0;

    QString makeFile(const Case& c)
    {
        const EditionId edition = Edition::current().id();
        const QString path = makeDataFile(m_dir.filePath(QStringLiteral("r%1.amb").arg(++m_files)), edition);
        std::vector<BpRow> rows;
        for (const Reading& r : c.readings) {
            BpRow b;
            b.date = r.wall().date();
            b.time = r.wall().time();
            b.sys = r.sys;
            b.dia = r.dia;
            b.map = r.map;
            b.pulse = r.pulse;
            rows.push_back(b);
        }
        insertRows(path, edition, rows);
        AbpmPeriodChoice choice;
        choice.narrow = c.narrow;
        choice.thresholds = c.acc ? AbpmThresholdSet::AccAha2017 : AbpmThresholdSet::Esh;
        AbpmSettings::store(choice);
        gDataFile = path;
        gFileReady = true;
        openRecords(path);
        // The practice system needs the patient's number.
        RecordingDetails details;
        details.patientNumber = QStringLiteral("P-%1").arg(m_files);
        QString why;
        if (!RecordingDetailsStore::writeCurrent(details, &why))
            qWarning("details: %s", qPrintable(why));
        return path;
    }

    void checkWindow(const Case& c, const Reference& ref, const Texts& x, Tally& t)
    {
        frmAbpm* w = AbpmWindows::showSummary();
        QVERIFY(w);
        QCoreApplication::processEvents();
        const QList<QList<QStringList>> tables = tablesOf(w->txtSummary->document());
        QCOMPARE(tables.size(), 3);
        // Means and variability, row by row.
        QStringList shown, wanted;
        QList<QStringList> alternatives;
        const auto add = [&](const QStringList& texts) { alternatives << texts; };
        for (int p = 0; p < 3; ++p) {
            const PeriodRef& pr = ref.period[size_t(p)];
            const auto row = [&](auto figure) {
                for (int q = 0; q < 4; ++q)
                    add(figure(pr.q[size_t(q)]));
            };
            row([&](const QuantityRef& r) { return QStringList{x.one(r.mean)}; });
            if (p == 0)
                row([&](const QuantityRef& r) { return QStringList{x.one(r.weightedMean)}; });
            row([&](const QuantityRef& r) { return QStringList{x.root(r.variance)}; });
            if (p == 0)
                row([&](const QuantityRef& r) { return x.bilo(r.weightedSd); });
            row([&](const QuantityRef& r) { return QStringList{x.root(r.cvSquared)}; });
            row([&](const QuantityRef& r) { return QStringList{x.one(r.arv)}; });
            row([&](const QuantityRef& r) { return QStringList{x.one(r.weightedArv)}; });
        }
        QStringList cells;
        for (int r = 1; r < tables[0].size(); ++r)
            for (int col = 2; col < 6; ++col)
                cells << tables[0][r][col];
        QCOMPARE(cells.size(), alternatives.size());
        for (int i = 0; i < cells.size(); ++i)
            t.check(QStringLiteral("window means cell %1 (%2)").arg(i).arg(tables[0][1 + i / 4][1]), cells[i], alternatives[i]);
        // Dipping.
        for (int q = 0; q < 2; ++q) {
            const QStringList& row = tables[1][1 + q];
            const DipRef& d = ref.dip[size_t(q)];
            t.check(QStringLiteral("window day mean %1").arg(q), row[1], x.one(ref.period[1].q[size_t(q)].mean));
            t.check(QStringLiteral("window night mean %1").arg(q), row[2], x.one(ref.period[2].q[size_t(q)].mean));
            t.check(QStringLiteral("window ratio %1").arg(q), row[3], d.thousandths ? unitsText(*d.thousandths, 3, x.german) : x.none());
            t.check(QStringLiteral("window fall %1").arg(q), row[4], d.thousandths ? unitsText(1000 - *d.thousandths, 1, x.german) : x.none());
            t.check(QStringLiteral("window class %1").arg(q), row[5], d.thousandths ? x.dipName(d.dipClass, true) : x.none());
        }
        // Thresholds, verdicts, loads.
        for (int p = 0; p < 3; ++p) {
            const QStringList& row = tables[2][1 + p];
            const std::optional<Verdict> v = verdictOf(ref, p, c.acc);
            const Threshold th = threshold(c.acc, p);
            t.check(QStringLiteral("window threshold %1").arg(p), row[1], QStringLiteral("%1/%2").arg(th.sys).arg(th.dia));
            if (!v)
                continue;
            t.check(QStringLiteral("window means %1").arg(p), row[2],
                    unitsText(v->sys10, 1, x.german) + QLatin1Char('/') + unitsText(v->dia10, 1, x.german));
            t.check(QStringLiteral("window assessment %1").arg(p), row[3],
                    (v->any() ? x.ed("elevated", "erhöht") : x.ed("normal", "normal")) + QStringLiteral(": ")
                        + verdictText(*v, x, x.german));
            t.check(QStringLiteral("window sys load %1").arg(p), row[4], x.share(ref.period[size_t(p)].sysAbove, ref.period[size_t(p)].n) + QStringLiteral(" %"));
            t.check(QStringLiteral("window dia load %1").arg(p), row[5], x.share(ref.period[size_t(p)].diaAbove, ref.period[size_t(p)].n) + QStringLiteral(" %"));
        }
        const QString plain = w->txtSummary->toPlainText();
        t.check(QStringLiteral("window set"), plain.contains(x.ed("Thresholds: ", "Grenzwerte: ") + x.setName(c.acc)) ? QStringLiteral("named") : plain.left(300), QStringLiteral("named"));
        t.check(QStringLiteral("window valid count"),
                plain.contains(x.ed("Readings: %1, valid: %2", "Messungen: %1, gültig: %2").arg(ref.readings).arg(ref.valid)) ? QStringLiteral("yes") : QStringLiteral("no"),
                QStringLiteral("yes"));
        ScriptedSeams quiet;
        AbpmWindows::closeSummary();
    }

    // The drafted conclusion read against the reference: every figure it
    // names, the side of the threshold it says, the verdict, the set, the classes.
    void readConclusion(const QString& text, const Case& c, const Reference& ref, const Texts& x, Tally& t)
    {
        const bool g = x.german;
        const QString head = text.section(QStringLiteral(": "), 0, 0);
        const QString rest = text.mid(head.size() + 2);
        const QStringList parts = head.split(QStringLiteral("; "));
        const QString names[] = {x.ed("24-hour mean (time-weighted) ", "24-Stunden-Mittel (zeitgewichtet) "),
                                 x.ed("awake mean ", "Wachmittel "), x.ed("asleep mean ", "Schlafmittel ")};
        std::vector<int> named;
        bool anyAbove = false;
        for (int p = 0; p < 3; ++p) {
            const std::optional<Verdict> v = verdictOf(ref, p, c.acc);
            anyAbove = anyAbove || (v && v->any());
        }
        const std::optional<Verdict> v24 = verdictOf(ref, 0, c.acc);
        std::vector<int> expectedParts{0};
        if (v24 && !v24->any())
            for (int p : {1, 2})
                if (const auto v = verdictOf(ref, p, c.acc); v && v->any())
                    expectedParts.push_back(p);
        t.check(QStringLiteral("conclusion parts"), QString::number(parts.size()), QString::number(expectedParts.size()));
        for (int i = 0; i < std::min<int>(parts.size(), int(expectedParts.size())); ++i) {
            const int p = expectedParts[size_t(i)];
            const Verdict v = *verdictOf(ref, p, c.acc);
            const QString& part = parts[i];
            t.check(QStringLiteral("conclusion names period %1").arg(p), part.left(names[p].size()), names[p]);
            // "S/D mmHg, verdict": the figures must be those shown and on the side said.
            const QString figures = part.mid(names[p].size()).section(QStringLiteral(" mmHg, "), 0, 0);
            const QString said = part.section(QStringLiteral(" mmHg, "), 1);
            t.check(QStringLiteral("conclusion means %1").arg(p), figures,
                    unitsText(v.sys10, 1, g) + QLatin1Char('/') + unitsText(v.dia10, 1, g));
            if (said.startsWith(x.ed("below ", "unter "))) {
                // Below: both shown means under their thresholds.
                const QStringList th = said.section(QLatin1Char(' '), 1).split(QLatin1Char('/'));
                const bool honest = th.size() == 2 && v.sys10 < th[0].toInt() * 10 && v.dia10 < th[1].toInt() * 10
                    && th[0].toInt() == v.t.sys && th[1].toInt() == v.t.dia;
                t.check(QStringLiteral("conclusion below %1 (%2)").arg(p).arg(said), honest ? QStringLiteral("true") : QStringLiteral("false"), QStringLiteral("true"));
            } else {
                bool honest = true;
                int sysNamed = 0, diaNamed = 0;
                for (const QString& claim : said.split(QStringLiteral(", "))) {
                    // "systolic 131.0 at or above 130"
                    const QStringList w = claim.split(QLatin1Char(' '));
                    const bool sys = w.value(0) == x.ed("systolic", "systolisch");
                    (sys ? sysNamed : diaNamed)++;
                    const QString figure = w.value(1);
                    const int limit = w.value(w.size() - 1).toInt();
                    const Int shown10 = sys ? v.sys10 : v.dia10;
                    honest = honest && figure == unitsText(shown10, 1, g) && shown10 >= Int(limit) * 10
                        && limit == (sys ? v.t.sys : v.t.dia);
                }
                honest = honest && (sysNamed == 1) == v.sysAbove && (diaNamed == 1) == v.diaAbove;
                t.check(QStringLiteral("conclusion at or above %1 (%2)").arg(p).arg(said), honest ? QStringLiteral("true") : QStringLiteral("false"), QStringLiteral("true"));
            }
        }
        const QString verdict = (anyAbove ? x.ed("ambulatory hypertension", "ambulante Hypertonie")
                                          : x.ed("normal ambulatory blood pressure", "normaler ambulanter Blutdruck"))
            + QLatin1Char(' ') + x.ed("(%1 thresholds)", "(Grenzwerte %1)").arg(x.setName(c.acc));
        t.check(QStringLiteral("conclusion verdict"), rest.section(QStringLiteral("; "), 0, 0), verdict);
        if (ref.dip[0].thousandths && ref.dip[1].thousandths)
            t.check(QStringLiteral("conclusion classes"), rest.section(QStringLiteral("; "), 1, 1).remove(QRegularExpression(QStringLiteral("\\.$"))),
                    x.ed("systolic %1, diastolic %2", "systolisch %1, diastolisch %2")
                        .arg(x.dipName(ref.dip[0].dipClass, false), x.dipName(ref.dip[1].dipClass, false)));
    }

    void checkReport(const Case& c, const Reference& ref, const Texts& x, Tally& t)
    {
        AbpmSignedReport* report = ReportWindows::signedReport();
        report->setPrinter(m_printer.get());
        QVERIFY(report->Show());
        ScriptedSeams seams;
        const QString pdf = m_dir.filePath(QStringLiteral("report%1.pdf").arg(++m_files));
        seams.printerPdfPath = pdf;
        report->actPrint->trigger();
        QVERIFY(seams.messages.empty());
        const QString conclusion = report->txtConclusion->toPlainText();
        const QString text = linesOf(pageTexts(pdf).join(QLatin1Char('\n'))).join(QLatin1Char('\n'));
        // pdftotext may close up the narrow blank before a right-aligned "%".
        const auto closed = [](QString s) { return s.replace(QStringLiteral(" %"), QStringLiteral("%")); };
        const QString page = closed(text);
        const char* periods[][2] = {{"24 hours", "24 Stunden"}, {"Awake", "Wach"}, {"Asleep", "Schlaf"}};
        const char* labels[][2] = {{"SYS", "SYS"}, {"DIA", "DIA"}, {"Pulse", "Puls"}};
        for (int p = 0; p < 3; ++p) {
            const PeriodRef& pr = ref.period[size_t(p)];
            if (pr.n == 0)
                continue;
            for (int k = 0; k < 3; ++k) {
                const int q = k == 2 ? 3 : k;
                const QuantityRef& r = pr.q[size_t(q)];
                QStringList variants;
                const QString plain = x.one(r.mean) + QStringLiteral(" ± ") + x.root(r.variance);
                if (p == 0) {
                    for (const QString& sd : x.bilo(r.weightedSd))
                        variants << x.one(r.weightedMean) + QStringLiteral(" ± ") + sd + QStringLiteral(" (") + plain + QLatin1Char(')');
                } else {
                    variants << plain;
                }
                bool found = false;
                QString line;
                for (const QString& meanSd : variants) {
                    line = (k == 0 ? x.ed(periods[p][0], periods[p][1]) + QLatin1Char(' ') : QString())
                        + x.ed(labels[k][0], labels[k][1]) + QLatin1Char(' ') + meanSd
                        + QStringLiteral(" %1 (%2) %3 (%4)").arg(r.minimum->value).arg(r.minimum->at.toString(QStringLiteral("HH:mm")))
                              .arg(r.maximum->value).arg(r.maximum->at.toString(QStringLiteral("HH:mm")));
                    if (k < 2)
                        line += QLatin1Char(' ') + x.share(k == 0 ? pr.sysAbove : pr.diaAbove, pr.n) + QStringLiteral(" %");
                    if (k == 0)
                        line += QLatin1Char(' ') + QString::number(pr.n);
                    found = found || page.contains(closed(line));
                }
                t.figures += 6;
                if (!found)
                    t.differences << QStringLiteral("report line missing: %1\n--- page:\n%2").arg(line, text.left(2500));
            }
        }
        for (int q = 0; q < 2 && ref.dip[0].thousandths && ref.dip[1].thousandths; ++q) {
            const QString line = (q == 0 ? x.ed("Night/day ratio, systolic: %1 (fall %2 %), %3", "Verhältnis Nacht/Tag, systolisch: %1 (Absenkung %2 %), %3")
                                         : x.ed("Night/day ratio, diastolic: %1 (fall %2 %), %3", "Verhältnis Nacht/Tag, diastolisch: %1 (Absenkung %2 %), %3"))
                                     .arg(unitsText(*ref.dip[size_t(q)].thousandths, 3, x.german),
                                          unitsText(1000 - *ref.dip[size_t(q)].thousandths, 1, x.german),
                                          x.dipName(ref.dip[size_t(q)].dipClass, true));
            t.figures += 3;
            if (!page.contains(closed(line)))
                t.differences << QStringLiteral("report line missing: %1").arg(line);
        }
        if (ref.surge) {
            const QString line = x.ed("Morning surge: %1 mmHg (2 hours after waking %2, lowest asleep %3 mmHg systolic)",
                                      "Morgendlicher Anstieg: %1 mmHg (2 Std. nach Aufwachen %2, Schlaf-Tiefstwerte %3 mmHg systolisch)")
                                     .arg(x.one(ref.surge->surge), x.one(ref.surge->morning), x.one(ref.surge->lowest));
            t.figures += 3;
            if (!page.contains(line))
                t.differences << QStringLiteral("report line missing: %1").arg(line);
        }
        t.check(QStringLiteral("report names the set"),
                page.contains(x.ed("Thresholds: ", "Grenzwerte: ") + x.setName(c.acc) + QLatin1Char('.')) ? QStringLiteral("yes") : QStringLiteral("no"),
                QStringLiteral("yes"));
        // The conclusion on the page is the one drafted, and it tells the truth.
        t.check(QStringLiteral("report conclusion"), page.simplified().contains(conclusion.left(60)) ? QStringLiteral("yes") : QStringLiteral("no"), QStringLiteral("yes"));
        readConclusion(conclusion, c, ref, x, t);
        ScriptedSeams quiet;
        ReportWindows::closeSignedReport();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void checkGdt(const Case& c, const Reference& ref, const Texts& x, Tally& t)
    {
        GdtSettings settings;
        settings.enabled = true;
        settings.importFolder = m_dir.filePath(QStringLiteral("gdt%1").arg(++m_files));
        settings.attachPdf = false;
        settings.charset = GdtCharset::Latin1;
        QVERIFY(QDir().mkpath(settings.importFolder));
        const GdtSendOutcome sent = sendCurrentGdtResult(settings, {});
        QVERIFY2(sent.sent(), qPrintable(sent.problem));
        QFile file(sent.resultPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QMap<QString, QString> tests;
        QStringList findings;
        QString ident;
        for (const GdtLine& line : gdtLines(file.readAll())) {
            const QString content = QString::fromLatin1(line.content);
            if (line.fieldId == 8410)
                ident = content;
            else if (line.fieldId == 8420)
                tests[ident] = content;
            else if (line.fieldId == 6220)
                findings << content;
        }
        const auto point = [](const std::optional<Frac>& f) { return f ? unitsText(shownUnits(*f, 1), 1, false) : QStringLiteral("absent"); };
        const char* names[] = {"SYS", "DIA", "MAP", "PULS"};
        for (int q = 0; q < 4; ++q) {
            t.check(QStringLiteral("GDT %1_24").arg(names[q]), tests.value(QLatin1String(names[q]) + "24", "absent"), point(ref.period[0].q[size_t(q)].weightedMean));
            if (q == 2)
                continue;
            t.check(QStringLiteral("GDT %1TAG").arg(names[q]), tests.value(QLatin1String(names[q]) + "TAG", "absent"), point(ref.period[1].q[size_t(q)].mean));
            t.check(QStringLiteral("GDT %1NACHT").arg(names[q]), tests.value(QLatin1String(names[q]) + "NACHT", "absent"), point(ref.period[2].q[size_t(q)].mean));
        }
        for (int q = 0; q < 2; ++q) {
            const DipRef& d = ref.dip[size_t(q)];
            t.check(QStringLiteral("GDT DIP%1").arg(names[q]), tests.value(QStringLiteral("DIP") + names[q], "absent"),
                    d.thousandths ? unitsText(1000 - *d.thousandths, 1, false) : QStringLiteral("absent"));
        }
        // Counts: whole, or with the one decimal every 8420 once had.
        t.check(QStringLiteral("GDT ANZAHL"), tests.value("ANZAHL"), {QString::number(ref.readings), QString::number(ref.readings) + ".0"});
        t.check(QStringLiteral("GDT GUELTIG"), tests.value("GUELTIG"), {QString::number(ref.valid), QString::number(ref.valid) + ".0"});
        const std::optional<Verdict> v = verdictOf(ref, 0, c.acc);
        const QString line24 = x.ed("24 hours (time-weighted): %1/%2 mmHg, %3: %4", "24 Stunden (zeitgewichtet): %1/%2 mmHg, %3: %4")
                                   .arg(unitsText(v->sys10, 1, false), unitsText(v->dia10, 1, false), verdictText(*v, x, false),
                                        v->any() ? x.ed("elevated", "erhöht") : x.ed("normal", "normal"));
        t.check(QStringLiteral("GDT 24-hour finding"), findings.contains(line24) ? line24 : findings.join(QStringLiteral(" | ")), line24);
        t.check(QStringLiteral("GDT names the set"), findings.contains(x.ed("Thresholds: ", "Grenzwerte: ") + x.setName(c.acc)) ? QStringLiteral("yes") : QStringLiteral("no"), QStringLiteral("yes"));
    }

    void checkFhirAndCsv(const Case& c, const Reference& ref, Tally& t)
    {
        QString why;
        const std::optional<AbpmReportSource> source = readAbpmReportSource(&why);
        QVERIFY2(source, qPrintable(why));
        FhirBundle::Recording r;
        r.readings = source->readings;
        r.details = source->details;
        r.setAside = source->setAside;
        r.periods = source->periods;
        r.thresholds = source->thresholds;
        r.conclusion = source->conclusion;
        r.issued = QDateTime(QDate(2027, 1, 2), QTime(3, 4), Qt::UTC);
        const QJsonObject bundle = FhirBundle::bundle(r);
        const char* codes[] = {"97844-5", "awake-mean", "asleep-mean"};
        for (int p = 0; p < 3; ++p) {
            const std::optional<Verdict> v = verdictOf(ref, p, c.acc);
            QJsonObject found;
            for (const QJsonValue& e : bundle["entry"].toArray()) {
                const QJsonObject res = e.toObject()["resource"].toObject();
                for (const QJsonValue& coding : res["code"].toObject()["coding"].toArray())
                    if (coding.toObject()["code"].toString() == QLatin1String(codes[p]))
                        found = res;
            }
            if (!v) {
                t.check(QStringLiteral("FHIR %1 absent").arg(codes[p]), found.isEmpty() ? "absent" : "present", "absent");
                continue;
            }
            const QJsonArray comps = found["component"].toArray();
            const double sys = comps[0].toObject()["valueQuantity"].toObject()["value"].toDouble(-1);
            const double dia = comps[1].toObject()["valueQuantity"].toObject()["value"].toDouble(-1);
            t.check(QStringLiteral("FHIR %1 sys").arg(codes[p]), QString::number(sys, 'f', 1), unitsText(v->sys10, 1, false));
            t.check(QStringLiteral("FHIR %1 dia").arg(codes[p]), QString::number(dia, 'f', 1), unitsText(v->dia10, 1, false));
            t.check(QStringLiteral("FHIR %1 set").arg(codes[p]),
                    comps[0].toObject()["referenceRange"].toArray()[0].toObject()["text"].toString().section(QStringLiteral(" threshold"), 0, 0),
                    c.acc ? QStringLiteral("ACC/AHA 2017") : QStringLiteral("ESH"));
        }
        // The CSV: every reading as generated, artefacts included, WAKE by the
        // wide day and night (the export's, without a diary) even while the
        // figures use the narrow periods.
        const QStringList lines = QString::fromUtf8(AbpmCsv::text(source->readings, AbpmPeriods::standard(), QStringLiteral("S"))).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        t.check(QStringLiteral("CSV lines"), QString::number(lines.size()), QString::number(c.readings.size() + 1));
        const Periods periods;
        for (size_t i = 0; i < c.readings.size() && i + 1 < size_t(lines.size()); ++i) {
            const Reading& g = c.readings[i];
            const QString wanted = QStringLiteral("S,%1,%2,%3,%4,%5,%6,%7").arg(i + 1).arg(g.wall().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                                       .arg(g.sys).arg(g.dia).arg(g.map).arg(g.pulse).arg(periods.night(g.wallMinute()) ? 0 : 1);
            t.check(QStringLiteral("CSV line %1").arg(i + 1), lines[int(i) + 1], wanted);
            t.figures += 6;
        }
    }

private slots:
    void initTestCase()
    {
        // The changes of daylight saving time the recordings cross are Europe's.
        qputenv("TZ", "Europe/Berlin");
        tzset();
        QVERIFY(m_dir.isValid());
    }

    void init()
    {
        resetAll();
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setPageSize(QPageSize(QPageSize::A4));
    }

    void cleanup()
    {
        AbpmSettings::store(AbpmPeriodChoice());
        resetAll();
    }

    // The recordings reach what they aim at: each kind of edge exactly at least once.
    void theRecordingsCoverTheEdges()
    {
        QSet<QString> exactKinds;
        for (const Case& c : allCases())
            if (c.exact)
                exactKinds << c.aim.section(QLatin1Char(' '), 0, -2) + QLatin1Char(' ') + c.aim.right(1);
        for (const char* kind : {"24 h weighted sys 5", "24 h weighted dia 5", "day sys 5", "day dia 5", "night sys 5",
                                 "night dia 5"})
            QVERIFY2(exactKinds.contains(QLatin1String(kind)), qPrintable(QStringList(exactKinds.values()).join(", ")));
        int ratios = 0;
        for (const Case& c : allCases())
            ratios += c.aim.startsWith(QStringLiteral("ratio")) && c.exact;
        QCOMPARE(ratios, 9);
    }

    // Across a change of daylight saving time the figures are those of the same readings without one.
    void aChangeOfDaylightSavingChangesNothing()
    {
        for (const Case& c : allCases()) {
            if (!c.name.contains(QStringLiteral("change")))
                continue;
            std::vector<AbpmReading> local, steady;
            qint64 id = 0;
            for (const Reading& r : c.readings) {
                AbpmReading a;
                a.id = ++id;
                a.sys = r.sys;
                a.dia = r.dia;
                a.map = r.map;
                a.pulse = r.pulse;
                a.moment = r.wall();
                local.push_back(a);
                a.moment = QDateTime::fromSecsSinceEpoch(r.utc + 3600, Qt::UTC).addDays(-120); // winter, no change
                steady.push_back(a);
            }
            const AbpmSummary s = computeAbpmSummary(local, AbpmPeriods::standard());
            const AbpmSummary u = computeAbpmSummary(steady, AbpmPeriods::standard());
            for (int q = 0; q < kAbpmQuantityCount; ++q) {
                const AbpmFigures& a = s.period(AbpmPeriodKind::Day24).of(AbpmQuantity(q));
                const AbpmFigures& b = u.period(AbpmPeriodKind::Day24).of(AbpmQuantity(q));
                QVERIFY2(a.weightedMean == b.weightedMean && a.weightedArv == b.weightedArv && a.arv == b.arv,
                         qPrintable(c.name));
            }
        }
    }

    void everyPlaceAgreesWithTheReference_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<EditionId>("edition");
        const std::vector<Case>& all = allCases();
        for (int i = 0; i < int(all.size()); ++i) {
            QTest::newRow(qPrintable(QStringLiteral("%1 en").arg(all[size_t(i)].name))) << i << EditionId::English;
            if (i % 3 == 0)
                QTest::newRow(qPrintable(QStringLiteral("%1 de").arg(all[size_t(i)].name))) << i << EditionId::German;
        }
    }

    void everyPlaceAgreesWithTheReference()
    {
        QFETCH(int, index);
        QFETCH(EditionId, edition);
        Edition::select(edition);
        const Case& c = allCases()[size_t(index)];
        const Reference ref = referenceOf(c.readings, periodsOf(c), c.acc);
        makeFile(c);
        Texts x;
        x.german = edition == EditionId::German;
        Tally t;
        checkWindow(c, ref, x, t);
        checkReport(c, ref, x, t);
        checkGdt(c, ref, x, t);
        checkFhirAndCsv(c, ref, t);
        s_figures += t.figures;
        QVERIFY2(t.differences.isEmpty(), qPrintable(t.differences.join(QLatin1Char('\n'))));
    }

    void cleanupTestCase() { qInfo("figures compared: %d over %zu recordings", s_figures, allCases().size()); }
};

QTEST_MAIN(TestAbpmAgreement)
#include "test_abpmagreement.moc"

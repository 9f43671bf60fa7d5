#include "RecordingsAgreement.h"

#include "RecordingsFolder.h"

#include "data/AbpmConclusion.h"
#include "data/AbpmReportFigures.h"
#include "data/AbpmReportSource.h"
#include "data/AbpmSummaryWords.h"
#include "data/FileCommands.h"
#include "data/GdtOrigin.h"
#include "data/RecordingComparison.h"
#include "print/RecordingsComparisonPage.h"
#include "state/SharedState.h"
#include "text/MessageCatalogue.h"
#include "views/AbpmSummaryText.h"
#include "views/RecordingsModel.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>

#include <map>

namespace {

// The file as its own summary window has it.
struct Own {
    AbpmReportSource source;
    AbpmReportFigures figures; // .summary is the summary
    bool conclusionKept = false;
    std::optional<bool> resultSent;
};

std::optional<Own> ownOf(const QString& path, QString* why)
{
    FileCommands::openPath(path);
    if (!gFileReady || gDataFile != path) {
        *why = QStringLiteral("does not open");
        return std::nullopt;
    }
    std::optional<AbpmReportSource> source = readAbpmReportSource(why);
    if (!source)
        return std::nullopt;
    Own own;
    own.source = *source;
    own.figures = computeAbpmReport(source->readings, source->periods, source->details, source->setAside,
                                    source->thresholds);
    own.conclusionKept = !AbpmConclusionStore::readCurrent().value_or(AbpmConclusion{}).text.isEmpty();
    if (const std::optional<GdtOrigin> origin = GdtOriginStore::readCurrent())
        own.resultSent = origin->sent.isValid() && !origin->resultDue; // sent, and nothing stored since
    return own;
}

QString means(const AbpmSummary& s, AbpmPeriodKind p)
{
    const auto& period = s.period(p);
    return AbpmSummaryText::figureText(period.assessedMean(AbpmQuantity::Sys), kAbpmMeanDecimals) + QLatin1Char('/')
        + AbpmSummaryText::figureText(period.assessedMean(AbpmQuantity::Dia), kAbpmMeanDecimals);
}

std::map<QString, int> rowsByPath(const RecordingsModel& model)
{
    std::map<QString, int> rows;
    for (int row = 0; row < model.rowCount(); ++row)
        rows[model.entry(row).path] = row;
    return rows;
}

// The figures of the page as the file's own summary and report give them.
std::optional<double> ownFigure(const AbpmReportFigures& f, ComparedFigure figure)
{
    const AbpmSummary& s = f.summary;
    const auto mean = [&s](AbpmPeriodKind p, AbpmQuantity q) { return s.period(p).assessedMean(q); };
    using P = AbpmPeriodKind;
    using Q = AbpmQuantity;
    switch (figure) {
    case ComparedFigure::ValidReadings: return double(s.valid);
    case ComparedFigure::ValidShare: return abpmValidPercent(s);
    case ComparedFigure::Sys24: return mean(P::Day24, Q::Sys);
    case ComparedFigure::Dia24: return mean(P::Day24, Q::Dia);
    case ComparedFigure::SysAwake: return mean(P::Day, Q::Sys);
    case ComparedFigure::DiaAwake: return mean(P::Day, Q::Dia);
    case ComparedFigure::SysAsleep: return mean(P::Night, Q::Sys);
    case ComparedFigure::DiaAsleep: return mean(P::Night, Q::Dia);
    case ComparedFigure::SysRatio: return s.sysDipping.ratio;
    case ComparedFigure::DiaRatio: return s.diaDipping.ratio;
    case ComparedFigure::SysLoad24: return f.period(P::Day24).sysLoad;
    case ComparedFigure::DiaLoad24: return f.period(P::Day24).diaLoad;
    case ComparedFigure::SysLoadAwake: return f.period(P::Day).sysLoad;
    case ComparedFigure::DiaLoadAwake: return f.period(P::Day).diaLoad;
    case ComparedFigure::SysLoadAsleep: return f.period(P::Night).sysLoad;
    case ComparedFigure::DiaLoadAsleep: return f.period(P::Night).diaLoad;
    }
    return std::nullopt;
}

} // namespace

QStringList listDisagreements(const RecordingsModel& model, const RecordingsFolder& folder)
{
    QStringList found;
    const std::map<QString, int> rows = rowsByPath(model);
    for (const auto& [path, row] : rows) {
        const auto text = [&model, row = row](int column) { return model.index(row, column).data().toString(); };
        const auto differs = [&](const char* what, const QString& shown, const QString& own) {
            if (shown != own)
                found << QStringLiteral("%1: %2 listed %3, its summary %4").arg(path, QLatin1String(what), shown, own);
        };
        if (folder.damaged.contains(path)) {
            if (model.entry(row).readable())
                found << path + QStringLiteral(": damaged, listed as readable");
            else if (text(RecordingsModel::State).isEmpty())
                found << path + QStringLiteral(": damaged, listed without a reason");
            continue;
        }
        QString why;
        const std::optional<Own> own = ownOf(path, &why);
        if (!own) {
            found << path + QStringLiteral(": its summary: ") + why;
            continue;
        }
        const AbpmSummary& s = own->figures.summary;
        const RecordingDetails& d = own->source.details;
        const QDateTime start = d.recordingStart.isValid() ? d.recordingStart : s.first;
        differs("name", text(RecordingsModel::Name), patientNameText(d));
        differs("number", text(RecordingsModel::Number), d.patientNumber);
        differs("born", text(RecordingsModel::Born), d.birthDate.isValid() ? detailsDateText(d.birthDate) : QString());
        differs("start", text(RecordingsModel::Start),
                detailsDateText(start.date()) + QLatin1Char(' ') + detailsTimeText(start.time()));
        differs("readings", text(RecordingsModel::Readings), QString::number(s.readings));
        differs("valid", text(RecordingsModel::Valid), AbpmSummaryText::shareText(s.valid, s.readings));
        differs("24 hours", text(RecordingsModel::Mean24), means(s, AbpmPeriodKind::Day24));
        differs("awake", text(RecordingsModel::MeanAwake), means(s, AbpmPeriodKind::Day));
        differs("asleep", text(RecordingsModel::MeanAsleep), means(s, AbpmPeriodKind::Night));
        differs("dipping", text(RecordingsModel::Dipping),
                s.sysDipping.dipClass ? abpmDipClassText(*s.sysDipping.dipClass) : QString());
        differs("conclusion", text(RecordingsModel::Conclusion), own->conclusionKept ? catText("recordings.yes") : QString());
        differs("sent", text(RecordingsModel::Sent),
                own->resultSent ? catText(*own->resultSent ? "recordings.yes" : "recordings.no") : QString());
    }
    return found;
}

QStringList comparisonDisagreements(const RecordingsModel& model, const RecordingsFolder& folder)
{
    QStringList found;
    std::map<QString, QStringList> byPatient;
    for (const auto& [path, row] : rowsByPath(model))
        if (!folder.damaged.contains(path) && !model.entry(row).patientKey().isEmpty())
            byPatient[model.entry(row).patientKey()] << path;
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15));
    for (const auto& [patient, paths] : byPatient) {
        for (qsizetype from = 0; from + 1 < paths.size(); from += kMostCompared) {
            // Groups of four; a last one alone is compared with the one before.
            const qsizetype begin = std::min(from, paths.size() - kLeastCompared);
            const QStringList group = paths.mid(begin, kMostCompared);
            std::vector<AbpmReportSource> sources;
            for (const QString& path : group) {
                QString why;
                if (const std::optional<AbpmReportSource> s = readAbpmReportSourceAt(path, &why))
                    sources.push_back(*s);
                else
                    found << path + QStringLiteral(": not compared: ") + why;
            }
            if (sources.size() != size_t(group.size()))
                continue;
            const RecordingComparison comparison = compareRecordings(sources);
            const RecordingsComparisonPage page(comparison, QDate(2026, 12, 9), a4);
            for (size_t i = 0; i < comparison.recordings.size(); ++i) {
                const QString& path = comparison.recordings[i].dataFile;
                QString why;
                const std::optional<Own> own = ownOf(path, &why);
                if (!own) {
                    found << path + QStringLiteral(": its summary: ") + why;
                    continue;
                }
                for (int f = 0; f < kComparedFigureCount; ++f) {
                    const auto figure = ComparedFigure(f);
                    const std::optional<double> v = ownFigure(own->figures, figure);
                    const bool percent = figure == ComparedFigure::ValidShare || f >= int(ComparedFigure::SysLoad24);
                    const QString expected = !v ? catText("abpm.none")
                                                : abpmNumber(*v, comparedDecimals(figure))
                            + (percent ? QStringLiteral(" %") : QString());
                    if (page.valueText(int(i), figure) != expected)
                        found << QStringLiteral("%1: figure %2 on the page %3, its summary %4")
                                     .arg(path)
                                     .arg(f)
                                     .arg(page.valueText(int(i), figure), expected);
                }
            }
        }
    }
    return found;
}

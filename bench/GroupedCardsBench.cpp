// Cards of several QSOs: 10,000 QSOs of 3,000 call signs grouped by call (six to a card) and
// drawn from the shipped design, beside the same 10,000 QSOs drawn one QSO to a card in the
// same run. Drawing only: the files are what bench_cards measures.
#include "CardDesignFiles.h"
#include "CardDocument.h"
#include "DataFolder.h"
#include "DesignApplication.h"
#include "Fonts.h"
#include "QsoGroups.h"
#include "ShippedDataFolder.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Qsos = 10000;
constexpr int Calls = 3000;
constexpr int Rounds = 3;

double millis(const std::function<void()> &f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double bestOf(const std::function<void()> &f)
{
    double best = 1e300;
    for (int i = 0; i < Rounds; ++i)
        best = std::min(best, millis(f));
    return best;
}

// A log as a contest leaves it: calls come back on other bands and days, some many times
// (a few calls a dozen QSOs and more), in the order they were worked.
std::vector<QsoRecord> generatedQsos()
{
    const char *bands[] = {"1.840", "3.573", "7.074", "10.136", "14.074", "18.100", "21.074", "28.074"};
    const char *modes[] = {"FT8", "CW", "SSB", "FT4"};
    std::vector<QsoRecord> qsos;
    quint32 seed = 12345;
    for (int i = 0; i < Qsos; ++i) {
        seed = seed * 1103515245u + 12345u;
        // Squared, so that low numbers (the busy calls) come up most.
        const double r = double((seed >> 8) % 100000) / 100000.0;
        const int call = i < Calls ? i : int(r * r * Calls);
        const int day = 1 + i * 28 / Qsos;
        qsos.push_back({QStringLiteral("K%1AB%2").arg(call % 10).arg(call),
                        QStringLiteral("3.%1.2026").arg(day),
                        QStringLiteral("%1:%2").arg(i % 24, 2, 10, QLatin1Char('0'))
                            .arg(i % 60, 2, 10, QLatin1Char('0')),
                        bands[i % 8], modes[i % 4], QStringLiteral("100"),
                        QStringLiteral("-%1").arg(i % 20), QString()});
    }
    return qsos;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    registerFontSubstitutes();
    QTemporaryDir dir;
    const QString home = dir.path() + "/";
    copyShippedDataFolder(home + "system/");
    setExecutableFolder(home);
    CardDocument document;
    card::applyDesign(card::readCardDesign(home + "Kartello.ini").design, document);

    const std::vector<QsoRecord> qsos = generatedQsos();
    quint64 sink = 0;
    const double single = bestOf([&] {
        for (const QsoRecord &qso : qsos) {
            document.setQso(qso);
            sink += document.paintCard().constBits()[0];
        }
    });
    std::vector<std::vector<int>> cards;
    const double grouping = bestOf([&] { cards = qsoCards(qsos, 6, true); });
    const double grouped = bestOf([&] {
        std::vector<QsoRecord> rows;
        for (const std::vector<int> &card : qsoCards(qsos, 6, true)) {
            rows.clear();
            for (int i : card)
                rows.push_back(qsos[i]);
            sink += document.paintCard(rows).constBits()[0];
        }
    });
    int tables = 0;
    for (const std::vector<int> &card : cards)
        tables += card.size() > 1;

    std::printf("%d QSOs of %d call signs, best of %d rounds (sink %llu)\n", Qsos, Calls, Rounds,
                static_cast<unsigned long long>(sink % 10));
    std::printf("one QSO a card (reference)     %6d cards  %8.1f ms  %6.3f ms a QSO\n", Qsos,
                single, single / Qsos);
    std::printf("grouped by call, six a card    %6zu cards  %8.1f ms  %6.3f ms a QSO"
                "  (%d tables; grouping alone %.1f ms)\n",
                cards.size(), grouped, grouped / Qsos, tables, grouping);
    std::printf("grouped against one a card     %.2f of the time, %.3f ms a card against %.3f\n",
                grouped / single, grouped / double(cards.size()), single / Qsos);
    return 0;
}

#include "HamBands.h"

namespace {

struct Band
{
    double lowMHz;
    double highMHz;
    const char *name;
};

// The band limits of the ADIF standard's band enumeration.
const Band kBands[] = {
    {0.1357, 0.1378, "2190m"}, {0.472, 0.479, "630m"},   {0.501, 0.504, "560m"},
    {1.8, 2.0, "160m"},        {3.5, 4.0, "80m"},        {5.06, 5.45, "60m"},
    {7.0, 7.3, "40m"},         {10.1, 10.15, "30m"},     {14.0, 14.35, "20m"},
    {18.068, 18.168, "17m"},   {21.0, 21.45, "15m"},     {24.890, 24.99, "12m"},
    {28.0, 29.7, "10m"},       {40.0, 45.0, "8m"},       {50.0, 54.0, "6m"},
    {54.000001, 69.9, "5m"},   {70.0, 71.0, "4m"},       {144.0, 148.0, "2m"},
    {222.0, 225.0, "1.25m"},   {420.0, 450.0, "70cm"},   {902.0, 928.0, "33cm"},
    {1240.0, 1300.0, "23cm"},  {2300.0, 2450.0, "13cm"}, {3300.0, 3500.0, "9cm"},
    {5650.0, 5925.0, "6cm"},   {10000.0, 10500.0, "3cm"}, {24000.0, 24250.0, "1.25cm"},
    {47000.0, 47200.0, "6mm"}, {75500.0, 81000.0, "4mm"}, {119980.0, 123000.0, "2.5mm"},
    {134000.0, 149000.0, "2mm"}, {241000.0, 250000.0, "1mm"},
};

} // namespace

QString bandOfFrequency(const QString &freqMHz)
{
    bool ok = false;
    const double mhz = freqMHz.trimmed().toDouble(&ok);
    if (!ok)
        return QString();
    for (const Band &band : kBands)
        if (mhz >= band.lowMHz && mhz <= band.highMHz)
            return QString::fromLatin1(band.name);
    return QString();
}

QString qsoBand(const QString &freqMHz, const QString &band)
{
    const QString ofFrequency = bandOfFrequency(freqMHz);
    if (!ofFrequency.isEmpty())
        return ofFrequency;
    const QString named = band.trimmed().toLower();
    for (const Band &known : kBands)
        if (named == QLatin1String(known.name))
            return named;
    return QString();
}

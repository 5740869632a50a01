#include "QsoFields.h"

namespace card {

const std::array<QsoFieldNames, kQsoFieldCount> &qsoFields()
{
    using F = QsoField;
    static const std::array<QsoFieldNames, kQsoFieldCount> fields = {{
        {F::CallSign, "ContactCallSign", "alContactCallSign", "AlLabel1", "call sign"},
        {F::UtcDate, "UTCDate", "alUTCDate", "AlLabel2", "UTC date"},
        {F::UtcTime, "UTCTime", "alUTCTime", "AlLabel3", "UTC time"},
        {F::Frequency, "Freq", "alFreq", "AlLabel4", "frequency"},
        {F::Mode, "Mode", "alMode", "AlLabel5", "mode"},
        {F::Power, "Power", "alPower", "AlLabel6", "power"},
        {F::Signal, "Signal", "alSignal", "AlLabel7", "signal report"},
    }};
    return fields;
}

const QsoFieldNames &qsoField(QsoField field)
{
    return qsoFields()[static_cast<int>(field)];
}

} // namespace card

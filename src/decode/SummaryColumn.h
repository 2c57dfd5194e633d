#pragma once
// The columns of the frame summary by number, as every decoder, the settings (Size00..Size42,
// Order00..Order42), the filters and the analyses name them.
namespace qv {

enum class SummaryColumn : int {
    Number,
    Date,
    Time,
    Direction,
    Type,
    Sapi,
    CommandResponse,
    Ea1,
    Tei,
    Ea2,
    Ns,
    Nr,
    PollFinal,
    Mei,
    Ri,
    Ai,
    MultipleAi,
    AiExtension,
    RejectControl,
    FrmrVs,
    FrmrVr,
    FrmrCommandResponse,
    FrmrCause,
    ProtocolDiscriminator,
    CallRefLength,
    CallRefFlag,
    CallRef,
    Lcn,
    MessageType,
    Calling,
    Called,
    Channel,
    BearerCapability,
    HighLayer,
    ServiceIndicator,
    Cause,
    Diagnostic,
    Fcs,
    Size,
    Efa,
    Dla,
    L3Address,
    TimeSlot,
};

inline constexpr int kSummaryColumnCount = 43;

// The number of a column, for the tables and settings that count columns.
constexpr int columnNumber(SummaryColumn column) {
    return static_cast<int>(column);
}
constexpr SummaryColumn summaryColumn(int number) {
    return static_cast<SummaryColumn>(number);
}

} // namespace qv

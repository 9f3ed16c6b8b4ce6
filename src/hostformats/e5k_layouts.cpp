// E5000 download and upload record layouts.
#include "hostformats/host_layouts.h"
#include "hostformats/rec_type.h"

namespace zav {

namespace {
constexpr std::int16_t T = kHostText;
constexpr std::int16_t N = kHostZeroPadded;
}  // namespace

const std::vector<HostRecordLayout>& E5KDownloadLayouts() {
    static const std::vector<HostRecordLayout> layouts = {
        {{"F"},
         80,
         {
             {"RecID", 1, 1, T},
             {"Route", 2, 8, T},
             {"Filler", 10, 71, T},
         }},
        {{"A"},
         80,
         {
             {"RecID", 1, 1, T},
             {"Route", 2, 8, T},
             {"AccountNumber", 10, 10, T},
             {"Filler1", 20, 12, T},
             {"MeterSequenceNumber", 32, 5, N},
             {"Filler2", 37, 1, N},
             {"AccountType", 38, 1, T},
             {"SpecialInstruction", 39, 2, T},
             {"Filler3", 41, 40, T},
         }},
        {{"B"},
         80,
         {
             {"RecID", 1, 1, T},
             {"CustomerName", 2, 32, T},
             {"Address", 34, 32, T},
             {"Filler1", 66, 15, T},
         }},
        {{"E"},
         80,
         {
             {"RecID", 1, 1, T},
             {"CustomerAddressLotandPlan", 2, 79, T},
         }},
        {{"C"},
         80,
         {
             {"RecID", 1, 1, T},
             {"RecordCategory", 2, 2, T},
             {"PropertyVGKey", 4, 12, T},
             {"Filler", 16, 65, T},
         }},
        {{"D"},
         80,
         {
             {"RecID", 1, 1, T},
             {"SpecialInstructions", 2, 32, T},
             {"Filler", 34, 47, T},
         }},
        {{"H", "I"},
         80,
         {
             {"RecID", 1, 1, T},
             {"RelativeMeterNumber", 2, 2, T},
             {"MeterSerialNumber", 4, 10, T},
             {"NumberofDials", 14, 1, N},
             {"MinimumRead", 15, 8, N},
             {"MaximumRead", 23, 8, N},
             {"PriorRead", 31, 8, N},
             {"MeterType", 39, 1, T},
             {"MeterSize", 40, 7, N},
             {"MeterMake", 47, 2, T},
             {"DisplayCode", 49, 2, T},
             {"NoDecimals", 51, 1, N},
             {"MustReadFlag", 52, 1, N},
             {"MeterStatus", 53, 1, T},
             {"MeterLocation", 54, 2, T},
             {"MeterReference", 56, 8, T},
             {"Filler", 64, 17, T},
         }},
        {{"K01"},
         80,
         {
             {"RecID", 1, 3, T},
             {"PropertyLocationDesc1", 4, 32, T},
             {"MeterLocationDesc1", 36, 32, T},
             {"Filler", 68, 13, T},
         }},
        {{"K05"},
         80,
         {
             {"RecID", 1, 3, T},
             {"PropertyLocationDesc2", 4, 32, T},
             {"MeterLocationDesc2", 36, 32, T},
             {"Filler", 68, 13, T},
         }},
        {{"Z"},
         80,
         {
             {"RecID", 1, 1, T},
             {"Route", 2, 8, T},
             {"NumberofAccounts", 10, 4, N},
             {"NumberofMeters", 14, 4, N},
             {"Filler", 18, 63, T},
         }},
        {{"L"},
         80,
         {
             {"RecID", 1, 1, T},
             {"Location", 2, 79, T},
         }},
        {{"?"},
         80,
         {
             {"RecID", 1, 1, T},
             {"Filler", 2, 79, T},
         }},
    };
    return layouts;
}

const std::vector<HostRecordLayout>& E5KUploadLayouts() {
    static const std::vector<HostRecordLayout> layouts = {
        {{"A"},
         80,
         {
             {"RecID", 1, 1, T},
             {"Route", 2, 8, T},
             {"NoofAccounts", 10, 4, N},
             {"NoofMeters", 14, 4, N},
             {"ProcessorNumber", 18, 3, T},
             {"ReadDate", 21, 6, N},
             {"SurveyQuestionNumber", 27, 2, T},
             {"BeginningSequenceNumber", 29, 5, N},
             {"EndingSequenceNumber", 34, 5, N},
             {"ResequenceFlag", 39, 1, N},
             {"Filler", 40, 41, T},
         }},
        {{"C"},
         80,
         {
             {"RecID", 1, 1, T},
             {"Route", 2, 8, T},
             {"AccountNumber", 10, 10, T},
             {"SpecialInstructionCode", 20, 2, T},
             {"SurveyAnswer", 22, 1, T},
             {"ReadingStatus", 23, 1, T},
             {"ResequenceFlag", 24, 1, T},
             {"ReadDate", 25, 4, N},
             {"Filler", 29, 52, T},
         }},
        {{"S"},
         80,
         {
             {"RecID", 1, 1, T},
             {"RecordCategory", 2, 2, T},
             {"PropertyVGKey", 4, 12, T},
             {"Filler", 16, 65, T},
         }},
        {{"D"},
         80,
         {
             {"RecID", 1, 1, T},
             {"RelativeMeterNumber", 2, 2, T},
             {"MeterNumber", 4, 10, T},
             {"SpecialInstructionsCode2", 14, 2, T},
             {"MeterConditionCode1", 16, 2, T},
             {"MeterConditionCode2", 18, 2, T},
             {"MeterSize", 20, 6, N},
             {"MeterChangedFlags", 26, 1, T},
             {"Filler", 27, 54, T},
         }},
        {{"E"},
         80,
         {
             {"RecID", 1, 1, T},
             {"NumberofDials", 2, 1, N},
             {"CurrentReading", 3, 8, N},
             {"Decimals", 11, 1, N},
             {"ReadTime", 12, 6, N},
             {"ReadChangeFlags", 18, 1, T},
             {"DisplayCode", 19, 2, T},
             {"ReadCount", 21, 1, N},
             {"ReadVerifyFlag", 22, 1, N},
             {"NoReadCode", 23, 2, T},
             {"Filler", 25, 56, T},
         }},
        {{"M"},
         80,
         {
             {"RecID", 1, 1, T},
             {"MessageCode", 2, 3, T},
             {"FreeformMessage", 5, 76, T},
         }},
        {{"Z"},
         80,
         {
             {"RecID", 1, 1, T},
             {"Route", 2, 8, T},
             {"ProcessorNumber", 10, 3, T},
             {"EmployerNumber", 13, 4, T},
             {"Filler", 17, 64, T},
         }},
    };
    return layouts;
}

}  // namespace zav

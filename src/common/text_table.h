#pragma once
// The program's texts: every text under id N in Japanese and under N + 1000 in
// English. Kept as UTF-8 in the source; offered as CP932 bytes, the encoding
// in which header names and settings are compared.
#include <string>
#include <string_view>

namespace vx {

// Ids of the texts in the Japanese half; kEnglish above each is its English
// form.
enum TextId : int {
    kEnglish = 1000,
    kTextWaveWindowTitle = 2,
    kTextSettingWindowTitle = 3,
    kTextBrowseFolders = 4,
    kTextChooseFolder = 13,
    kTextOpen = 15,
    kTextExit = 17,
    kTextDisplaySetting = 19,
    kTextCancel = 22,
    kTextOk = 23,
    kTextMenu = 24,
    // The weld metrics panel and the analysis settings.
    kTextMetricsTitle = 700,
    kTextArcTime = 701,  // then the other panel rows, in panel order, to 708
    kTextEstimateNote = 709,
    kTextEstimateExplained = 710,
    kTextAnalysisSettings = 711,
    kTextArcThreshold = 712,  // then the other parameters, in file order, to 716
    kTextZeroUnknown = 717,
    kTextAboveZero = 718,
    kTextZeroOrMore = 719,
    kTextFraction = 720,
    // The folder overview and the limits dialog.
    kTextOverviewTitle = 800,
    kTextOverviewButton = 801,
    kTextLimitsButton = 802,
    kTextExportCsv = 803,
    kTextTrend = 804,
    kTextColumnNumber = 805,  // then the other table columns, in table order, to 816
    kTextPass = 817,
    kTextFail = 818,
    kTextUnreadable = 819,
    kTextNotDrawn = 820,
    kTextLimitTip = 821,
    kTextNoValueTip = 822,
    kTextMeasuring = 823,
    kTextFilled = 824,
    kTextCancelled = 825,
    kTextNoFolder = 826,
    kTextLimitsTitle = 827,
    kTextFromSelection = 828,
    kTextNumberOrEmpty = 829,
    kTextMaxBelowMin = 830,
    kTextLimitArcTime = 831,  // then the other limits, in file order, to 842
    kTextExportFailed = 843,
    kTextCsvFilter = 844,
    kTextFromSelectionTip = 845,
    // The cursor range A..B in the metrics panel.
    kTextRangeTitle = 721,
    kTextRangeCursors = 722,
    kTextRangeSpan = 723,
    kTextStatMean = 724,  // then min, max and rms, to 727
    kTextRangeNote = 728,
    kTextRangeNoteExplained = 729,
    // The help window: what each key does, then the mouse gestures as pairs
    // of gesture and effect.
    kTextHelpTitle = 740,
    kTextHelpClose = 741,
    kTextHelpKeyHeading = 742,
    kTextHelpMouseHeading = 743,
    kTextHelpZoomIn = 744,
    kTextHelpZoomOut = 745,
    kTextHelpPanLeft = 746,
    kTextHelpPanRight = 747,
    kTextHelpHome = 748,
    kTextHelpFit = 749,
    kTextHelpCursorA = 750,
    kTextHelpCursorB = 751,
    kTextHelpClearCursors = 752,
    kTextHelpNextFile = 753,
    kTextHelpPrevFile = 754,
    kTextHelpFirstFile = 755,
    kTextHelpLastFile = 756,
    kTextHelpOpen = 757,
    kTextHelpDisplaySettings = 758,
    kTextHelpExit = 759,
    kTextHelpHelp = 760,
    kTextHelpOverview = 761,
    kTextGestureWheel = 770,
    kTextGestureWheelDoes = 771,
    kTextGestureBand = 772,
    kTextGestureBandDoes = 773,
    kTextGesturePan = 774,
    kTextGesturePanDoes = 775,
    kTextGestureClick = 776,
    kTextGestureClickDoes = 777,
    kTextGestureClickB = 778,
    kTextGestureClickBDoes = 779,
    kTextGestureDoubleClick = 780,
    kTextGestureDoubleClickDoes = 781,
    kTextGestureDrop = 782,
    kTextGestureDropDoes = 783,
    // Pictures and data that leave the window.
    kTextCopyPicture = 900,
    kTextSavePicture = 901,
    kTextExportData = 902,
    kTextPictureFilter = 903,
    kTextPictureFailed = 904,
    kTextExportTitle = 905,
    // Quantity names as the Japanese headers write them; 856..861 are the
    // same six with the languages swapped.
    kTextCurrentSet = 850,
    kTextCurrentActual = 851,
    kTextVoltageSet = 852,
    kTextVoltageActual = 853,
    kTextFeedingSet = 854,
    kTextFeedingActual = 855,
    kTextUnitAmpere = 865,
    kTextUnitVolt = 866,
    kTextUnitMeterPerMinute = 867,
    kTextScaleTab = 870,
    kTextOverlayTab = 871,
    kTextMinimum = 880,
    kTextMaximum = 881,
    kTextTime = 882,
    kTextCurrent = 883,
    kTextVoltage = 884,
    kTextWireFeedSpeed = 885,
    kTextInitialValues = 886,
    kTextRangeChoice = 891,
    kTextRangeDash = 892,
    kTextIndependentChoice = 893,
    kTextOverlayWaves = 895,
    kTextGraphFailed = 955,
    kTextScaleMaxBelowMin = 957,
    kTextFileOpenFailed = 964,
    kTextNoFilesInFolder = 965,
};

// CP932 bytes of text `id`; the empty text when the table has no such id.
const std::string& LoadStr(int id);

// The same text as UTF-8, for display.
std::string_view LoadStrUtf8(int id);

}  // namespace vx

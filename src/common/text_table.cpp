#include "common/text_table.h"

#include <algorithm>
#include <array>
#include <map>

#include "common/encoding.h"

namespace vx {
namespace {

struct Entry {
    int id;
    std::string_view text;
};

// clang-format off
// A plain array: deducing a std::array of this many entries is beyond
// clang's template nesting limit.
constexpr Entry kTexts[] = {
    Entry{2, "溶接波形表示"},             Entry{1002, "Welding wave form indication. "},
    Entry{3, "波形表示設定"},             Entry{1003, "Setting of wave form indication. "},
    Entry{4, "フォルダの参照"},           Entry{1004, "Browse Folders"},
    Entry{13, "簡易データログのあるフォルダを選択して下さい。"},
    Entry{1013, "Please choose the folder of the simple data log."},
    Entry{15, "開く"},                    Entry{1015, "Open"},
    Entry{17, "終了"},                    Entry{1017, "Exit"},
    Entry{19, "表示設定"},                Entry{1019, "Display Setting"},
    Entry{22, "キャンセル"},              Entry{1022, "Cancel"},
    Entry{23, "OK"},                      Entry{1023, "OK"},
    Entry{24, "メニュー"},                Entry{1024, "menu"},
    Entry{700, "溶接の計測値"},           Entry{1700, "Weld metrics"},
    Entry{701, "アーク時間"},             Entry{1701, "Arc time"},
    Entry{702, "平均電流"},               Entry{1702, "Mean current"},
    Entry{703, "平均電圧"},               Entry{1703, "Mean voltage"},
    Entry{704, "平均送給速度"},           Entry{1704, "Mean wire feed"},
    Entry{705, "平均電力"},               Entry{1705, "Mean power"},
    Entry{706, "アークエネルギー"},       Entry{1706, "Arc energy"},
    Entry{707, "ワイヤ長"},               Entry{1707, "Wire length"},
    Entry{708, "アーク切れ"},             Entry{1708, "Arc breaks"},
    Entry{709, "電力・エネルギーは推定値"}, Entry{1709, "Power, energy: estimates"},
    Entry{710, "電力とエネルギーは記録されたサンプルからの推定値です。パルス溶接の瞬時エネルギーには kHz のサンプリングが必要です。"},
    Entry{1710, "Power and energy are estimates from the logged samples (every 10 or 100 ms); the instantaneous energy of a pulsed process needs kHz sampling."},
    Entry{711, "解析設定"},               Entry{1711, "Analysis settings"},
    Entry{712, "アーク判定電流 [A]"},     Entry{1712, "Arc threshold [A]"},
    Entry{713, "溶接速度 [mm/min]"},      Entry{1713, "Travel speed [mm/min]"},
    Entry{714, "熱効率"},                 Entry{1714, "Thermal efficiency"},
    Entry{715, "ワイヤ径 [mm]"},          Entry{1715, "Wire diameter [mm]"},
    Entry{716, "ワイヤ密度 [g/cm3]"},     Entry{1716, "Wire density [g/cm3]"},
    Entry{717, "0 = 不明"},               Entry{1717, "0 = unknown"},
    Entry{718, "0 より大きな数値を入力して下さい。"}, Entry{1718, "Enter a number above 0."},
    Entry{719, "0 以上の数値を入力して下さい。"},     Entry{1719, "Enter a number of 0 or more."},
    Entry{720, "0 より大きく 1 以下の数値を入力して下さい。"},
    Entry{1720, "Enter a number above 0 and at most 1."},
    Entry{800, "フォルダ一覧"},           Entry{1800, "Folder overview"},
    Entry{801, "一覧"},                   Entry{1801, "Overview"},
    Entry{802, "品質限界..."},            Entry{1802, "Limits..."},
    Entry{803, "CSV 出力..."},            Entry{1803, "Export CSV..."},
    Entry{804, "トレンド"},               Entry{1804, "Trend"},
    Entry{805, "番号"},                   Entry{1805, "No."},
    Entry{806, "ファイル"},               Entry{1806, "File"},
    Entry{807, "アーク時間 [ms]"},        Entry{1807, "Arc time [ms]"},
    Entry{808, "電流 [A]"},               Entry{1808, "Current [A]"},
    Entry{809, "電圧 [V]"},               Entry{1809, "Voltage [V]"},
    Entry{810, "送給 [m/min]"},           Entry{1810, "Wire feed [m/min]"},
    Entry{811, "電力 [W]"},               Entry{1811, "Power [W]"},
    Entry{812, "エネルギー [J]"},         Entry{1812, "Energy [J]"},
    Entry{813, "ワイヤ [m]"},             Entry{1813, "Wire [m]"},
    Entry{814, "アーク切れ"},             Entry{1814, "Breaks"},
    Entry{815, "欠測"},                   Entry{1815, "Gaps"},
    Entry{816, "判定"},                   Entry{1816, "Result"},
    Entry{817, "合格"},                   Entry{1817, "pass"},
    Entry{818, "不合格"},                 Entry{1818, "FAIL"},
    Entry{819, "読めません"},             Entry{1819, "unreadable"},
    Entry{820, "表示不可"},               Entry{1820, "not drawn"},
    Entry{821, "限界: %1"},               Entry{1821, "Limit: %1"},
    Entry{822, "値なし, 限界: %1"},       Entry{1822, "No value; limit: %1"},
    Entry{823, "計測中: %1 / %2 件"},     Entry{1823, "Measuring: %1 of %2 welds"},
    Entry{824, "%1 件, 不合格 %2, 読めない %3"}, Entry{1824, "%1 welds, %2 failing, %3 unreadable"},
    Entry{825, "中止: %2 件中 %1 件を計測"}, Entry{1825, "Cancelled: %1 of %2 welds measured"},
    Entry{826, "フォルダが開かれていません。"}, Entry{1826, "No folder is open."},
    Entry{827, "品質限界"},               Entry{1827, "Quality limits"},
    Entry{828, "選択から"},               Entry{1828, "From selection"},
    Entry{829, "数値を入力するか、空欄にして下さい (限界なし)。"},
    Entry{1829, "Enter a number, or leave it empty for no limit."},
    Entry{830, "最大値には最小値以上の数値を入力して下さい。"},
    Entry{1830, "The maximum must not be below the minimum."},
    Entry{831, "アーク時間 [ms]"},        Entry{1831, "Arc time [ms]"},
    Entry{832, "平均電流 [A]"},           Entry{1832, "Mean current [A]"},
    Entry{833, "平均電圧 [V]"},           Entry{1833, "Mean voltage [V]"},
    Entry{834, "平均送給速度 [m/min]"},   Entry{1834, "Mean wire feed [m/min]"},
    Entry{835, "電力 [W]"},               Entry{1835, "Power [W]"},
    Entry{836, "エネルギー [J]"},         Entry{1836, "Energy [J]"},
    Entry{837, "ワイヤ長 [m]"},           Entry{1837, "Wire length [m]"},
    Entry{838, "アーク切れ"},             Entry{1838, "Arc breaks"},
    Entry{839, "欠測"},                   Entry{1839, "Gaps"},
    Entry{840, "電流偏差 [A]"},           Entry{1840, "Current deviation [A]"},
    Entry{841, "電圧偏差 [V]"},           Entry{1841, "Voltage deviation [V]"},
    Entry{842, "送給偏差 [m/min]"},       Entry{1842, "Wire feed deviation [m/min]"},
    Entry{843, "CSV ファイルを書き込めませんでした。"},
    Entry{1843, "The CSV file could not be written."},
    Entry{844, "CSV ファイル (*.csv)"},   Entry{1844, "CSV files (*.csv)"},
    Entry{845, "選択した溶接の平均 ± 3 標準偏差"},
    Entry{1845, "Mean of the selected welds -/+ 3 standard deviations"},
    Entry{721, "範囲 A..B"},              Entry{1721, "Range A..B"},
    Entry{722, "A / B"},                  Entry{1722, "A / B"},
    Entry{723, "時間差"},                 Entry{1723, "Span"},
    Entry{724, "平均"},                   Entry{1724, "mean"},
    Entry{725, "最小"},                   Entry{1725, "min"},
    Entry{726, "最大"},                   Entry{1726, "max"},
    Entry{727, "実効値"},                 Entry{1727, "rms"},
    Entry{728, "アーク中のサンプルのみ"}, Entry{1728, "Arc-on samples only"},
    Entry{729, "範囲の統計はアーク判定電流以上のサンプルだけから求めます。エネルギーは推定値です。"},
    Entry{1729, "The range figures count only the samples at or above the arc threshold; the energy is an estimate."},
    Entry{740, "キーとマウス操作"},       Entry{1740, "Keys and mouse"},
    Entry{741, "閉じる"},                 Entry{1741, "Close"},
    Entry{742, "キー"},                   Entry{1742, "Keys"},
    Entry{743, "マウス"},                 Entry{1743, "Mouse"},
    Entry{744, "中央を中心に拡大"},       Entry{1744, "Zoom in around the centre"},
    Entry{745, "中央を中心に縮小"},       Entry{1745, "Zoom out around the centre"},
    Entry{746, "表示幅の 1/10 だけ前へ"}, Entry{1746, "Pan to earlier times by a tenth"},
    Entry{747, "表示幅の 1/10 だけ後へ"}, Entry{1747, "Pan to later times by a tenth"},
    Entry{748, "表示設定の時間スケールに戻す"}, Entry{1748, "Back to the time scale of the settings"},
    Entry{749, "時間軸を波形全体に合わせる"}, Entry{1749, "Fit the time axis to the weld"},
    Entry{750, "マウス位置にカーソル A"}, Entry{1750, "Cursor A at the mouse"},
    Entry{751, "マウス位置にカーソル B"}, Entry{1751, "Cursor B at the mouse"},
    Entry{752, "カーソルを消す"},         Entry{1752, "Clear both cursors"},
    Entry{753, "次のファイル"},           Entry{1753, "Next file"},
    Entry{754, "前のファイル"},           Entry{1754, "Previous file"},
    Entry{755, "最初のファイル"},         Entry{1755, "First file"},
    Entry{756, "最後のファイル"},         Entry{1756, "Last file"},
    Entry{757, "フォルダを開く"},         Entry{1757, "Open a folder"},
    Entry{758, "表示設定"},               Entry{1758, "Display settings"},
    Entry{759, "終了"},                   Entry{1759, "Exit"},
    Entry{760, "この一覧"},               Entry{1760, "This list"},
    Entry{761, "フォルダの一覧表"},       Entry{1761, "Folder overview"},
    Entry{770, "ホイール"},               Entry{1770, "Wheel"},
    Entry{771, "マウス位置を中心に拡大・縮小"}, Entry{1771, "Zoom around the mouse"},
    Entry{772, "左ドラッグ"},             Entry{1772, "Left drag"},
    Entry{773, "囲んだ時間帯を拡大"},     Entry{1773, "Zoom to the band"},
    Entry{774, "中ドラッグ、Shift+左ドラッグ"}, Entry{1774, "Middle or Shift+left drag"},
    Entry{775, "時間軸を移動"},           Entry{1775, "Pan the time axis"},
    Entry{776, "クリック"},               Entry{1776, "Click"},
    Entry{777, "カーソル A を置く"},      Entry{1777, "Set cursor A"},
    Entry{778, "Ctrl+クリック、右クリック"}, Entry{1778, "Ctrl+click, right click"},
    Entry{779, "カーソル B を置く"},      Entry{1779, "Set cursor B"},
    Entry{780, "ダブルクリック"},         Entry{1780, "Double click"},
    Entry{781, "表示設定の時間スケールに戻す"}, Entry{1781, "Back to the time scale of the settings"},
    Entry{782, "フォルダ・ファイルをドロップ"}, Entry{1782, "Drop a folder or file"},
    Entry{783, "フォルダを開き、ファイルを選ぶ"}, Entry{1783, "Open the folder, select the file"},
    Entry{850, "電流指令値"},             Entry{1850, "CurrentSet"},
    Entry{851, "電流実測値"},             Entry{1851, "CurrentActual"},
    Entry{852, "電圧指令値"},             Entry{1852, "VoltageSet"},
    Entry{853, "電圧実測値"},             Entry{1853, "VoltageActual"},
    Entry{854, "送給指令値"},             Entry{1854, "FeedingSet"},
    Entry{855, "送給実測値"},             Entry{1855, "FeedingActual"},
    Entry{856, "CurrentSet"},             Entry{1856, "電流指令値"},
    Entry{857, "CurrentActual"},          Entry{1857, "電流実測値"},
    Entry{858, "VoltageSet"},             Entry{1858, "電圧指令値"},
    Entry{859, "VoltageActual"},          Entry{1859, "電圧実測値"},
    Entry{860, "FeedingSet"},             Entry{1860, "送給指令値"},
    Entry{861, "FeedingActual"},          Entry{1861, "送給実測値"},
    Entry{865, "A"},                      Entry{1865, "A"},
    Entry{866, "V"},                      Entry{1866, "V"},
    Entry{867, "m/min"},                  Entry{1867, "m/min"},
    Entry{870, "スケール設定"},           Entry{1870, "Settlement of the scale"},
    Entry{871, "履歴の重ね設定"},         Entry{1871, "Setup of a pile up"},
    Entry{880, "最小"},                   Entry{1880, "Minimum"},
    Entry{881, "最大"},                   Entry{1881, "Maximum"},
    Entry{882, "時間"},                   Entry{1882, "time"},
    Entry{883, "電流"},                   Entry{1883, "current"},
    Entry{884, "電圧"},                   Entry{1884, "voltage"},
    Entry{885, "送給速度"},               Entry{1885, "Wire feed speed"},
    Entry{886, "初期値"},                 Entry{1886, "initial values"},
    Entry{891, "範囲選択"},               Entry{1891, "Range choice"},
    Entry{892, "～"},                     Entry{1892, "-"},
    Entry{893, "個別選択"},               Entry{1893, "Independent choice"},
    Entry{895, "溶接履歴を重ねて表示する"}, Entry{1895, "The wave form data is piled up."},
    Entry{900, "図をコピー"},             Entry{1900, "Copy picture"},
    Entry{901, "図を保存..."},            Entry{1901, "Save picture..."},
    Entry{902, "データを書き出す..."},    Entry{1902, "Export data..."},
    Entry{903, "図 (*.png *.svg *.pdf)"}, Entry{1903, "Pictures (*.png *.svg *.pdf)"},
    Entry{904, "図を保存できませんでした。"}, Entry{1904, "The picture could not be saved."},
    Entry{905, "書き出し"},               Entry{1905, "Export"},
    Entry{955, "グラフ表示に失敗しました。"}, Entry{1955, "Failed indicate the graph. "},
    Entry{957, "スケール最大値には、最小値より大きな数値を\r\n入力して下さい。"},
    Entry{1957, "Input bigger value than minimum value to the \r\nscale maximum value."},
    Entry{964, "簡易データログファイルを開けませんでした。"},
    Entry{1964, "The simpledata log file could not open."},
    Entry{965, "フォルダ内に簡易データログファイルがありません。"},
    Entry{1965, "The simpledata log file does not exist in the folder."},
};
// clang-format on

const Entry* Find(int id) {
    auto it = std::find_if(std::begin(kTexts), std::end(kTexts),
                           [id](const Entry& e) { return e.id == id; });
    return it == std::end(kTexts) ? nullptr : &*it;
}

}  // namespace

const std::string& LoadStr(int id) {
    // Converted once; the table is small and lookups are frequent in header recognition.
    static const std::map<int, std::string> cp932 = [] {
        std::map<int, std::string> m;
        for (const Entry& e : kTexts) m.emplace(e.id, Utf8ToCp932(e.text));
        return m;
    }();
    static const std::string empty;
    auto it = cp932.find(id);
    return it == cp932.end() ? empty : it->second;
}

std::string_view LoadStrUtf8(int id) {
    const Entry* e = Find(id);
    return e ? e->text : std::string_view{};
}

}  // namespace vx

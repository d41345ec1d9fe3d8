#include "gui/shell/ColorSchemeTable.h"

#include <QPalette>

namespace brisca {
namespace {

// Scheme 0 draws with the platform's own palette; the few entries that have no
// palette role (status lights, chart curves) use plain standard colours.
constexpr int kFixed = -1;
constexpr int W = QPalette::Window;
constexpr int WT = QPalette::WindowText;
constexpr int B = QPalette::Base;
constexpr int T = QPalette::Text;
constexpr int BN = QPalette::Button;
constexpr int BT = QPalette::ButtonText;
constexpr int L = QPalette::Light;
constexpr int ML = QPalette::Midlight;
constexpr int D = QPalette::Dark;
constexpr int M = QPalette::Mid;
constexpr int S = QPalette::Shadow;
constexpr int H = QPalette::Highlight;
constexpr int HT = QPalette::HighlightedText;
constexpr int PT = QPalette::PlaceholderText;

}  // namespace

// Columns: what the entry colours; scheme 0's palette role; RGB of schemes
// 0 (when fixed), 1 "Basic Blue", 2 "Deep Blue", 3 "Orange Original".
// Basic Blue is light blue-grey with navy text, Deep Blue dark navy with
// light text and amber accents, Orange Original warm cream with brown text.
const SchemeEntry kSchemeEntries[106] = {
    {"window workspace", M, {0x808080, 0x8FA8C8, 0x0B1630, 0x7A4A1E}},
    {"engine form background", W, {0, 0xDCE6F2, 0x0F1E3D, 0xFBEBD3}},
    {"group title text, hot group", WT, {0, 0x0B2E6B, 0xFFD166, 0x7A2E00}},
    {"group title text", WT, {0, 0x1A3A6E, 0xF0F4FA, 0x5C2A08}},
    {"group fill, hot group", W, {0, 0xF4F8FD, 0x1E3766, 0xFFF6E8}},
    {"group fill", W, {0, 0xE8EFF8, 0x172B52, 0xFCE3C0}},
    {"group outline", D, {0, 0x4A6FA5, 0x4F7BC4, 0xC8661A}},
    {"control text, hot group", WT, {0, 0x102040, 0xFFFFFF, 0x3A1A05}},
    {"control text", WT, {0, 0x1C2B45, 0xDCE6F5, 0x4A2810}},
    {"value text, hot", T, {0, 0x00308F, 0xFFE08A, 0x8A2E00}},
    {"value text", T, {0, 0x0A2A66, 0xBFD9FF, 0x6B2A00}},
    {"display-only value text, hot", WT, {0, 0x3B4A66, 0xE6ECF5, 0x4D3A2A}},
    {"display-only value text", WT, {0, 0x44536E, 0xC3CEDF, 0x5A4634}},
    {"disabled face, hot group", PT, {0, 0x8C9BB3, 0x6A7FA6, 0xB89870}},
    {"disabled face", PT, {0, 0x95A3B8, 0x5E7296, 0xBFA07A}},
    {"disabled shadow, hot group", L, {0, 0xFFFFFF, 0x0B1630, 0xFFFFFF}},
    {"disabled shadow", L, {0, 0xFFFFFF, 0x0B1630, 0xFFFFFF}},
    {"focused value text", HT, {0, 0xFFFFFF, 0x0B1630, 0xFFFFFF}},
    {"focused value background", H, {0, 0x1F4E9A, 0xFFD166, 0xA84300}},
    {"separator lower line, hot group", L, {0, 0xFFFFFF, 0x2C4A80, 0xFFFFFF}},
    {"separator lower line", L, {0, 0xFFFFFF, 0x22406F, 0xFFFFFF}},
    {"separator upper line, hot group", D, {0, 0x6F8FBF, 0x050B18, 0xD9904A}},
    {"separator upper line", D, {0, 0x7D97C0, 0x050B18, 0xE0A060}},
    {"group light on, hot", kFixed, {0x33D17A, 0x3CE07A, 0x4CF08C, 0x3CE07A}},
    {"group light on", kFixed, {0x26A269, 0x22B455, 0x2ECC71, 0x22B455}},
    {"group light off, hot", kFixed, {0xF66151, 0xE86A5C, 0xFF7B6B, 0xFF8A5C}},
    {"group light off", kFixed, {0xC01C28, 0xB8463A, 0xD9483B, 0xC0392B}},
    {"warning lamp frame", S, {0, 0x000000, 0x000000, 0x000000}},
    {"chart background", W, {0, 0xE8EFF8, 0x172B52, 0xFCE3C0}},
    {"chart frame", BN, {0, 0xC9D7EA, 0x1E3766, 0xF5CC94}},
    {"chart frame with zones, zone labels", WT, {0, 0x1C2B45, 0xF0F4FA, 0x4A2810}},
    {"plot area", B, {0, 0xFFFFFF, 0x0F1E3D, 0xFFFBF4}},
    {"chart grid and axes", M, {0, 0xB0C2DC, 0x34507F, 0xE8B47A}},
    {"chart caption background", H, {0, 0x1F4E9A, 0xFFD166, 0xA84300}},
    {"chart caption text", HT, {0, 0xFFFFFF, 0x0B1630, 0xFFFFFF}},
    {"primary curve 1", kFixed, {0xC01C28, 0xC62828, 0xFF6B6B, 0xC0392B}},
    {"primary curve 2", kFixed, {0x1C71D8, 0x1565C0, 0x6EC1FF, 0x1F5FA8}},
    {"primary curve 3", kFixed, {0x26A269, 0x2E7D32, 0x7CE38B, 0x2E7D32}},
    {"primary curve 4", kFixed, {0x813D9C, 0x6A1B9A, 0xD6A2FF, 0x7B3FA0}},
    {"secondary curve 1", kFixed, {0xE66100, 0xEF6C00, 0xFFB347, 0xE67E00}},
    {"secondary curve 2", kFixed, {0x00838F, 0x00838F, 0x4DD9E0, 0x00838F}},
    {"secondary curve 3", kFixed, {0xAD1457, 0xAD1457, 0xFF8AC9, 0xAD1457}},
    {"secondary curve 4", kFixed, {0x5D4037, 0x5D4037, 0xE0C9A6, 0x5D4037}},
    {"table background", B, {0, 0x10223F, 0x0F1E3D, 0x2E1604}},
    {"table title text", T, {0, 0xFFD166, 0xFFD166, 0xFFC58A}},
    {"table header text", T, {0, 0xD6E6FF, 0x9CC3FF, 0xFFE3C2}},
    {"table body text", T, {0, 0xFFFFFF, 0xE6ECF5, 0xFFFFFF}},
    {"table rules", D, {0, 0x4A6FA5, 0x4F7BC4, 0xC8661A}},
    {"table outer frame", S, {0, 0x1A3A6E, 0x9CC3FF, 0x7A2E00}},
    {"dialog background", W, {0, 0xE8EFF8, 0x172B52, 0xFCE3C0}},
    {"dialog text", WT, {0, 0x1C2B45, 0xE6ECF5, 0x3A1A05}},
    {"value edit dialog background", BN, {0, 0xC9D7EA, 0x1E3766, 0xF5CC94}},
    {"value edit dialog text", BT, {0, 0x0A2A66, 0xFFFFFF, 0x3A1A05}},
    {"menu bar background", W, {0, 0x1F4E9A, 0x0B1630, 0xA84300}},
    {"menu bar text", WT, {0, 0xFFFFFF, 0xE6ECF5, 0xFFFFFF}},
    {"menu bar item, selected", H, {0, 0x0B2E6B, 0x2C4A80, 0x7A2E00}},
    {"menu bar text, selected", HT, {0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
    {"menu background", W, {0, 0xF4F8FD, 0x172B52, 0xFFF6E8}},
    {"menu text", WT, {0, 0x1C2B45, 0xE6ECF5, 0x3A1A05}},
    {"menu item, selected", H, {0, 0x1F4E9A, 0xFFD166, 0xA84300}},
    {"menu text, selected", HT, {0, 0xFFFFFF, 0x0B1630, 0xFFFFFF}},
    {"menu text, disabled", PT, {0, 0x8C9BB3, 0x6A7FA6, 0xA08060}},
    {"menu separator", M, {0, 0xB0C2DC, 0x34507F, 0xE8B47A}},
    {"caption background", H, {0, 0x1A3A6E, 0x0B1630, 0xA84300}},
    {"caption text", HT, {0, 0xFFFFFF, 0xFFD166, 0xFFFFFF}},
    {"logo background", H, {0, 0x1F4E9A, 0x0B1630, 0xA84300}},
    {"logo text", HT, {0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
    {"logo accent", L, {0, 0xFFC857, 0xFFD166, 0xFFD27F}},
    {"tool bar and status bar", W, {0, 0xDCE6F2, 0x172B52, 0xFBEBD3}},
    {"left tabs: page background", W, {0, 0xE8EFF8, 0x172B52, 0xFCE3C0}},
    {"left tabs: tab strip", W, {0, 0xDCE6F2, 0x0F1E3D, 0xFBEBD3}},
    {"left tabs: tab", BN, {0, 0xC9D7EA, 0x1E3766, 0xF5CC94}},
    {"left tabs: tab text", BT, {0, 0x1C2B45, 0xDCE6F5, 0x3A1A05}},
    {"left tabs: current tab", B, {0, 0xF4F8FD, 0x2C4A80, 0xFFF6E8}},
    {"left tabs: current tab text", T, {0, 0x0B2E6B, 0xFFD166, 0x7A2E00}},
    {"left tabs: tab under the mouse", ML, {0, 0xB0C2DC, 0x34507F, 0xE8B47A}},
    {"left tabs: frame", M, {0, 0x4A6FA5, 0x4F7BC4, 0xC8661A}},
    {"right tabs: page background", W, {0, 0xE8EFF8, 0x172B52, 0xFCE3C0}},
    {"right tabs: tab strip", W, {0, 0xDCE6F2, 0x0F1E3D, 0xFBEBD3}},
    {"right tabs: tab", BN, {0, 0xBFD0E8, 0x22406F, 0xF0C080}},
    {"right tabs: tab text", BT, {0, 0x1C2B45, 0xDCE6F5, 0x3A1A05}},
    {"right tabs: current tab", B, {0, 0xFFFFFF, 0x34578F, 0xFFFBF4}},
    {"right tabs: current tab text", T, {0, 0x0B2E6B, 0xFFD166, 0x7A2E00}},
    {"right tabs: tab under the mouse", ML, {0, 0xA9BEDD, 0x3A5A8C, 0xE0A868}},
    {"right tabs: frame", M, {0, 0x4A6FA5, 0x4F7BC4, 0xC8661A}},
    {"calculator background", W, {0, 0xE8EFF8, 0x172B52, 0xFCE3C0}},
    {"calculator text", WT, {0, 0x1C2B45, 0xE6ECF5, 0x3A1A05}},
    {"cam manager background", W, {0, 0xE8EFF8, 0x172B52, 0xFCE3C0}},
    {"cam manager text", WT, {0, 0x1C2B45, 0xE6ECF5, 0x3A1A05}},
    {"iterator background", W, {0, 0xE8EFF8, 0x172B52, 0xFCE3C0}},
    {"iterator text", WT, {0, 0x1C2B45, 0xE6ECF5, 0x3A1A05}},
    {"iterator progress", H, {0, 0x1F4E9A, 0xFFD166, 0xA84300}},
    {"iterator best result", ML, {0, 0xFFE9A8, 0x3A5A8C, 0xFFE9A8}},
    {"report dialog background", W, {0, 0xE8EFF8, 0x172B52, 0xFCE3C0}},
    {"report dialog text", WT, {0, 0x1C2B45, 0xE6ECF5, 0x3A1A05}},
    {"3D chart background", B, {0, 0xFFFFFF, 0x0F1E3D, 0xFFFBF4}},
    {"3D surface, low values", kFixed, {0x1C71D8, 0x1565C0, 0x6EC1FF, 0x1F5FA8}},
    {"3D surface, high values", kFixed, {0xC01C28, 0xC62828, 0xFF6B6B, 0xC0392B}},
    {"3D chart grid", M, {0, 0xB0C2DC, 0x34507F, 0xE8B47A}},
    {"flow editor background", W, {0, 0xE8EFF8, 0x172B52, 0xFCE3C0}},
    {"flow editor text", WT, {0, 0x1C2B45, 0xE6ECF5, 0x3A1A05}},
    {"compressor lamp green", kFixed, {0x26A269, 0x22B455, 0x2ECC71, 0x22B455}},
    {"compressor lamp yellow", kFixed, {0xE5A50A, 0xF2C230, 0xF2C230, 0xF2C230}},
    {"compressor lamp red", kFixed, {0xC01C28, 0xD03A2F, 0xE5533D, 0xC0392B}},
    {"splash background", H, {0, 0x1A3A6E, 0x0B1630, 0x7A2E00}},
    {"splash text", HT, {0, 0xFFFFFF, 0xFFD166, 0xFFFFFF}},
};

}  // namespace brisca

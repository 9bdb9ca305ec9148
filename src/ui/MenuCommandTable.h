// The menu commands 768..868: the message that holds each command's caption and the shortcut
// label shown beside it. The menus, the generator of the menu file and its tests share them.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace korvel {

inline int32_t menuCommandCaptionMessage(int32_t code) {
    if (code >= 768 && code <= 774) return code + 19;
    if (code >= 775 && code <= 789) return code + 76;
    if (code >= 790 && code <= 829) return code + 4;
    if (code == 830) return 835;
    if (code == 831) return 834;
    if (code >= 832 && code <= 846) return code + 4;
    if (code >= 847 && code <= 857) return code + 432;
    if (code >= 858 && code <= 861) return code + 433;
    if (code == 862) return 1311;
    if (code == 863) return 1314;
    if (code == 864) return 1328;
    if (code >= 865 && code <= 868) return code + 465;
    return 0;
}

inline std::string menuCommandShortcut(int32_t code) {
    static const std::map<int32_t, std::string> labels = {
        {768, "[CTRL+N]"},      {769, "[CTRL+O]"},
        {770, "[CTRL+S]"},      {771, "[CTRL+SHIFT+S]"},
        {772, "[CTRL+ALT+R]"},  {773, "[CTRL+M]"},
        {774, "[CTRL+R]"},      {790, "[ALT+Q]"},
        {791, "[CTRL+Z]"},      {792, "[CTRL+X]"},
        {793, "[CTRL+C]"},      {794, "[CTRL+V]"},
        {795, "[CTRL+Delete]"}, {796, "[CTRL+A]"},
        {797, "[CTRL+D]"},      {798, "[CTRL+Y]"},
        {799, "[CTRL+F1]"},     {800, "[CTRL+F2]"},
        {801, "[CTRL+F3]"},     {802, "[CTRL+F4]"},
        {803, "[CTRL+F]"},      {806, "[L]"},
        {807, "[F10]"},         {822, "[Backspace]"},
        {826, "[J]"},           {828, "[ALT+A]"},
        {829, "[J]"},           {830, "[I]"},
        {831, "[U]"},           {835, "[5]"},
        {836, "[6]"},           {837, "[F8]"},
        {838, "[CTRL+ALT+S]"},  {839, "[CTRL+ALT+P]"},
        {844, "[F11]"},         {845, "[F1]"},
        {847, "[CTRL+F6]"},     {848, "[CTRL+F7]"},
        {849, "[0]"},           {850, "[0]"},
        {851, "[CTRL+F9]"},     {852, "[CTRL+ALT+SHIFT+T]"},
        {853, "[CTRL+ALT+Z]"},  {854, "[CTRL+ALT+A]"},
        {855, "[BackSlash]"},   {856, "[CTRL+ALT+SHIFT+P]"},
        {857, "[CTRL+W]"},      {860, "[CTRL+ALT+F1]"},
        {863, "[ALT+F11]"},     {864, "[ALT+E]"},
        {865, "[I]"},           {866, "[ALT+I]"},
        {867, "[CTRL+I]"},      {868, "[CTRL+ALT+I]"},
    };
    const auto it = labels.find(code);
    return it == labels.end() ? std::string() : it->second;
}

}  // namespace korvel

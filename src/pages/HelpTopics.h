// The contents of the help popup's topics: the effector and sector tag lists, the name list and
// the hint of every tool. Each draws into the open popup.
#pragma once

namespace korvel {

struct Editor;

void drawEffectorLotagList(Editor& ed);
void drawSectorLotagList(Editor& ed);
void drawNameList(Editor& ed);
void drawSoundList(Editor& ed);
void drawToolHint1(Editor& ed);
void drawToolHint2(Editor& ed);
void drawToolHint3(Editor& ed);
void drawToolHint4(Editor& ed);
void drawToolHint5(Editor& ed);
void drawToolHint6(Editor& ed);
void drawToolHint7(Editor& ed);
void drawToolHint8(Editor& ed);
void drawToolHint9(Editor& ed);
void drawToolHint10(Editor& ed);
void drawToolHint11(Editor& ed);
void drawToolHint12(Editor& ed);
void drawToolHint13(Editor& ed);
void drawToolHint14(Editor& ed);
void drawToolHint15(Editor& ed);
void drawToolHint16(Editor& ed);
void drawToolHint17(Editor& ed);
void drawToolHint18(Editor& ed);
void drawToolHint19(Editor& ed);
void drawToolHint20(Editor& ed);
void drawToolHint21(Editor& ed);
void drawToolHint22(Editor& ed);
void drawToolHint23(Editor& ed);
void drawToolHint24(Editor& ed);
void drawToolHint25(Editor& ed);
void drawToolHint26(Editor& ed);
void drawToolHint27(Editor& ed);
void drawToolHint28(Editor& ed);
void drawToolHint29(Editor& ed);
void drawToolHint30(Editor& ed);
void drawToolHint31(Editor& ed);
void drawToolHint32(Editor& ed);
void drawToolHint33(Editor& ed);
void drawToolHint34(Editor& ed);
void drawToolHint35(Editor& ed);

}  // namespace korvel

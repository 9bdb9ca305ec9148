#include "pages/HelpTopics.h"

namespace korvel {

// The topics' texts come with their own change; until then an open popup stays empty.
void drawEffectorLotagList(Editor&) {}
void drawSectorLotagList(Editor&) {}
void drawNameList(Editor&) {}
void drawSoundList(Editor&) {}
void drawToolHint1(Editor&) {}
void drawToolHint2(Editor&) {}
void drawToolHint3(Editor&) {}
void drawToolHint4(Editor&) {}
void drawToolHint5(Editor&) {}
void drawToolHint6(Editor&) {}
void drawToolHint7(Editor&) {}
void drawToolHint8(Editor&) {}
void drawToolHint9(Editor&) {}
void drawToolHint10(Editor&) {}
void drawToolHint11(Editor&) {}
void drawToolHint12(Editor&) {}
void drawToolHint13(Editor&) {}
void drawToolHint14(Editor&) {}
void drawToolHint15(Editor&) {}
void drawToolHint16(Editor&) {}
void drawToolHint17(Editor&) {}
void drawToolHint18(Editor&) {}
void drawToolHint19(Editor&) {}
void drawToolHint20(Editor&) {}
void drawToolHint21(Editor&) {}
void drawToolHint22(Editor&) {}
void drawToolHint23(Editor&) {}
void drawToolHint24(Editor&) {}
void drawToolHint25(Editor&) {}
void drawToolHint26(Editor&) {}
void drawToolHint27(Editor&) {}
void drawToolHint28(Editor&) {}
void drawToolHint29(Editor&) {}
void drawToolHint30(Editor&) {}
void drawToolHint31(Editor&) {}
void drawToolHint32(Editor&) {}
void drawToolHint33(Editor&) {}
void drawToolHint34(Editor&) {}
void drawToolHint35(Editor&) {}

}  // namespace korvel

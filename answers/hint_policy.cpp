#include "answers/hint_policy.h"

bool putsAnswerPictureWhenRight(int hintStyle) { return hintStyle == 1 || hintStyle == 3; }
bool showsHintWhenRight(int hintStyle) { return hintStyle == 2 || hintStyle == 3; }
bool showsAllHintsAtEnd(int hintStyle) { return hintStyle == 4; }
bool hidesHintWhenWrong(int hintStyle) { return hintStyle != 5; }

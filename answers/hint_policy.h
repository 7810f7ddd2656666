// What each hint style does when a question becomes fully right and when an
// answer is judged anything but right. Styles 0 to 5 have meanings; 6 to 255
// behave as hidden hints that are never revealed.
#pragma once

// Style 1 and 3: the tile takes the answer picture.
bool putsAnswerPictureWhenRight(int hintStyle);

// Style 2 and 3: the question's own hint label is shown.
bool showsHintWhenRight(int hintStyle);

// Style 4: every hint label is shown once every result label reads right.
bool showsAllHintsAtEnd(int hintStyle);

// Every style but 5 hides the question's hint label on a judgement that is
// not right; style 5's label is the answer's word count and stays. (Styles 0
// and 1 have no hint label, so hiding it does nothing.)
bool hidesHintWhenWrong(int hintStyle);

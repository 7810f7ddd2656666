// The embedded media player of each audio or video question.
#pragma once

#include "document/quiz_context.h"

#ifdef _WIN32
// Puts a player into question `questionNumber`'s freshly created tile.
// False when no player can be made; the panel then stops laying out.
bool attachMediaPlayer(int questionNumber, HWND tile);

// The play (6000 + n) and stop (7000 + n) buttons. False for any other command.
bool handleMediaCommand(QuizContext *context, int commandId);

// Deletes the media file written last, when the question panel goes away.
void deleteLastMediaFile();
#endif

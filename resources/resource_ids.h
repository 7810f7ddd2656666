// Resource numbers of the player.
#pragma once

#define IDD_QUESTION_PANEL 1001
#define IDD_HEADER_PANEL 1002
#define IDR_HAND 1003
#define IDI_PLAY 1004
#define IDI_STOP 1005
#define IDI_GRELO 1

#pragma once

#define IDI_VORLAN 1
#define IDC_SPLASH_OK 1  // IDOK: Enter in the splash window presses it

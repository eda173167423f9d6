#pragma once
// The fonts the forms and reports name, resolved to installed ones: Arial to its metric twin
// Liberation Sans, "MS Sans Serif" and Tahoma to an installed sans-serif. Both programs call
// this once at start, before any window is built.

void substituteFonts();

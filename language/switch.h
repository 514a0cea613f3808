// The language switch behind the main window's button.
#pragma once

// Creates the marker file when it is absent and deletes it when it is present, then shows the
// language that is in force afterwards.
void switchButtonClicked();

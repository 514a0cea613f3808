// The main window: its form, its created event and the hyperlink.
#pragma once

// Creates the main window into `mainWindow`; its created event runs inside. False on failure.
bool loadMainWindow();

// Places the window, sets the title and finds the languages; runs once before the message
// loop starts.
void mainWindowCreated();

// Opens the maker's page in the user's default browser.
void hyperlinkPressed();

// The language of each installed After Effects version, found once at start-up.
#pragma once

// CC2019's word comes from its configuration file alone; the older versions' words from the
// marker, and only for versions the registry shows as installed. Writes the hidden per-version
// labels, the hidden path box and the visible current language.
void detectLanguages();

#pragma once

// Ties the running program to its menu entry, so that the desktop shows its
// windows under that entry, and gives them the program's icon in every size
// drawn for it, from the program's own icon folder.
void UseDesktopIdentity();

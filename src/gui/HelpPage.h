#pragma once
// Opens the program's help page in the browser, or says where it is when no browser starts.
void OpenHelpPage();

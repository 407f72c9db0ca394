/* Imports winmm and comctl32 by name, as the saver once did. Started beside
   the planted libraries it must load them: the proof that the bed really
   takes a DLL from beside the program first, as Windows does. */
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>

int main(void) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    timeBeginPeriod(1);
    timeEndPeriod(1);
    return 0;
}

/* Looks up every name of an expectation file ("name TAB hex value" lines) with the real
   XStringToKeysym, which reads the file that XKEYSYMDB names. */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char **argv)
{
    char line[512];
    int count = 0, wrong = 0;
    FILE *file = argc == 2 ? fopen(argv[1], "rb") : NULL;
    if (!file) return 2;
    while (fgets(line, sizeof line, file)) {
        char *tab = strchr(line, '\t');
        unsigned long want;
        KeySym got;
        if (!tab) continue;
        *tab = '\0';
        want = strtoul(tab + 1, NULL, 16);
        got = XStringToKeysym(line);
        ++count;
        if (got != want) {
            if (++wrong <= 20) fprintf(stderr, "%s: %lx, expected %lx\n", line, (unsigned long)got, want);
        }
    }
    printf("%d names looked up, %d wrong\n", count, wrong);
    return wrong != 0 || count == 0;
}

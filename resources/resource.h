/* Resource numbers shared by TAVREL.dll and every resource library (tavrel*.nls).
   Kept free of C++ so that windres can read it. */
#ifndef KEYSYM_RESOURCE_H
#define KEYSYM_RESOURCE_H

/* Dialog templates */
#define IDD_KEYSYM_PAGE         106
#define IDD_SET_PAGE            107
#define IDD_SEARCH_PAGE         108
#define IDD_KEYSYM_DIALOG       130
#define IDD_SET_NAME_DIALOG     131

/* Keysym page (106) */
#define IDC_KS_SETS             1000  /* combo box of sets */
#define IDC_KS_ADD              1005
#define IDC_KS_EDIT             1006
#define IDC_KS_DELETE           1007
#define IDC_KS_KEYSYMS          1009  /* list of keysym rows */

/* Set page (107) */
#define IDC_ST_SETS             1001  /* list of sets */
#define IDC_ST_ADD              1002
#define IDC_ST_RENAME           1003
#define IDC_ST_DELETE           1004
#define IDC_ST_IMPORT           1023
#define IDC_ST_EXPORT           1024

/* Search page (108) */
#define IDC_SCH_SETS            1010  /* combo box of sets */
#define IDC_SCH_KEYSYMS         1011  /* list of keysym rows */
#define IDC_SCH_FIND_TEXT       1012
#define IDC_SCH_FIND            1013
#define IDC_SCH_MATCH_CASE      1015
#define IDC_SCH_WHOLE_NAME      1016

/* Keysym dialog (130) */
#define IDC_SYM_NAME            1017
#define IDC_SYM_VALUE           1018
#define IDC_SYM_HINT            1019  /* what X11 knows of the name and value, up to three lines */

/* Set name dialog (131) */
#define IDC_SET_NEW_NAME        1020
#define IDC_SET_CURRENT_LABEL   1021
#define IDC_SET_CURRENT_NAME    1022

/* String table */
#define IDS_CONFIRM_DELETE_KEYSYM   1   /* %1 set name, %2 keysym name */
#define IDS_SAVE_FAILED             2   /* %1 full path of the keysym file */
#define IDS_NOT_FOUND               3   /* %1 search text */
#define IDS_CONFIRM_DELETE_SET      4   /* %1 set name */
#define IDS_KEYSYM_NAME_USED        5   /* %1 keysym name, %2 set that holds it */
#define IDS_KEYSYM_NAME_INVALID     6   /* %1 keysym name (holds a blank or "@") */
#define IDS_EDITOR_TITLE            7
#define IDS_FIND_NEXT               8   /* Find button while a search can be continued */
#define IDS_FIND                    10  /* Find button when no search is under way */
#define IDS_NEW_KEYSYM_TITLE        11
#define IDS_EDIT_KEYSYM_TITLE       12
#define IDS_ADD_SET_TITLE           13
#define IDS_RENAME_SET_TITLE        14
#define IDS_SET_NAME_UNSTORABLE     15  /* %1 set name (holds "=", "[" or "]", or is "main") */
#define IDS_SET_NAME_TAKEN          16  /* %1 new set name, %2 the existing set it equals apart from case */
#define IDS_SET_NAME_BLANK          17  /* a set name of blanks only */
#define IDS_KEYSYM_NAME_UNSTORABLE  18  /* %1 keysym name (holds "=", begins with "[" or ";", or blanks at an end) */
#define IDS_FILE_CHANGED            19  /* %1 full path of the keysym file */
#define IDS_HINT_CHARACTER          20  /* %1 the character, %2 its code point in hex */
#define IDS_HINT_STANDARD_VALUE     21  /* %1 name of the standard keysym with this value */
#define IDS_HINT_TOO_LARGE          22
#define IDS_HINT_STANDARD_NAME      23  /* %1 standard keysym name, %2 its value */
#define IDS_HINT_NAME_CHARS         24
#define IDS_IMPORT_TITLE            25
#define IDS_IMPORTED                26  /* %1 number of keysyms, %2 set name */
#define IDS_IMPORT_SKIPPED          27  /* %1 number of lines, %2 first line number, %3 its reason */
#define IDS_READ_FAILED             28  /* %1 path */
#define IDS_EXPORT_TITLE            29
#define IDS_WRITE_FAILED            30  /* %1 path */
#define IDS_HELP_FAILED             31  /* %1 path of the help file */
#define IDS_NO_DIALOGS              32
#define IDS_SAVE_SET_UNSTORABLE     40  /* %1 set name, %2 full path of the keysym file */
#define IDS_SAVE_KEYSYM_UNSTORABLE  41  /* %1 keysym name, %2 full path of the keysym file */
#define IDS_SAVE_NAME_UNENCODABLE   42  /* %1 set or keysym name, %2 full path of the keysym file */
#define IDS_SAVE_LINE_WOULD_CHANGE  43  /* %1 the line, %2 full path of the keysym file */
#define IDS_FILE_NAMES_NOT_SHOWN    44  /* %1 full path of the keysym file */
#define IDS_IMPORT_SKIPPED_ONE      50  /* %1 "1", %2 its line number, %3 its reason */
#define IDS_IMPORTED_ONE            51  /* %1 "1", %2 set name */
#define IDS_SKIP_NOT_KEYSYM_LINE    52  /* %1 the line (its start) */
#define IDS_SKIP_NAME_TOO_LONG      53  /* %1 keysym name, %2 most characters */
#define IDS_SKIP_VALUE_TOO_LARGE    54  /* %1 keysym name, %2 its value as written */
#define IDS_SKIP_VALUE_UNREADABLE   55  /* %1 keysym name, %2 its value as written */
#define IDS_SKIP_NAME_NOT_IN_CODE_PAGE 56  /* %1 keysym name, "?" for what the code page lacks */
#define IDS_UNUSABLE_VALUE_ONE      57  /* %1 "1", %2 keysym name */
#define IDS_UNUSABLE_VALUE_MANY     58  /* %1 number of keysyms, %2 their names */
#define IDS_EXPORT_LEFT_OUT_ONE     59  /* %1 "1", %2 keysym name */
#define IDS_EXPORT_LEFT_OUT_MANY    60  /* %1 number of keysyms, %2 their names */
#define IDS_IMPORT_NO_KEYSYMS       61  /* %1 path */
#define IDS_FILTER_XKEYSYMDB        62  /* Save As file type */
#define IDS_FILTER_C_HEADER         63  /* Save As file type */
#define IDS_HINT_NO_CHARACTER       64  /* %1 code point in hex */
#define IDS_HINT_RANGE              65  /* %1 range name, %2 its first and last value */
#define IDS_HINT_NO_SYMBOL          66

#endif

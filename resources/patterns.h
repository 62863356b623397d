// The patterns dialog of quorvel.rc: its controls, as the code that runs it knows them.
#define IDC_PATTERNS_TEXT 100

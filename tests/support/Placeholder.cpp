// Stands in for a test suite whose sources are still being written.
int main() { return 0; }

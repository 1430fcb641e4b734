// PLACEHOLDER (replaced by the simulator work).
int main() { return 0; }

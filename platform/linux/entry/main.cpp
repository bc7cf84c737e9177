// Linux entry: placeholder until the port lands.
int main() { return 0; }

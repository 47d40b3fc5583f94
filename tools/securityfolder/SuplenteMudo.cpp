// A stand-in of the permission tool for the Windows build's tests: it never answers a job.
int main() { return 0; }

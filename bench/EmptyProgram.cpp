// The floor for the command line's start-up: a C++ program that starts and exits, linked like
// any other C++ program.
int main()
{
    return 0;
}

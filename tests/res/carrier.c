/* A program that carries nothing but the resources it is linked with, so
   that the check can read them out of a real executable file. */
int main(void)
{
    return 0;
}

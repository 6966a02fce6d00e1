// Resource ids of jokesetup.
#define IDI_JOKESETUP 3000

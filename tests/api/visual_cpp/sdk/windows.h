/* The one thing the public header takes from the Windows SDK, for a Visual C++-target compile
 * on a machine that has no SDK. */
#define WINAPI __stdcall

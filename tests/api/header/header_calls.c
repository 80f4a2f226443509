/* Every export linked through the public header and the import library, as a C program links
 * them: a prototype whose decoration the import library lacks fails the i686 link, and an import
 * the DLL does not export stops the loader before main. Then one call through the forwarder, which
 * must reach the scenario library. */
#include <GERANScenarioLibControl.h>
#include <export_list.h>
#include <znGeranApiInterfaceDll.h>

#include <stdio.h>

typedef void (*Export)(void);

/* External, so that neither the compiler nor the linker drops a reference. */
#define GERAN_REFERENCE(Name, Ordinal, Bytes, ExportedName) (Export) znGeranApiInterfaceDll_##Name,
const Export geranLinkedExports[] = {GERAN_EXPORT_LIST(GERAN_REFERENCE)};

int main(void) {
  const int libraryResult = 12345;
  ScenarioLib_SetResult("CallboxMode_StartStop", libraryResult);
  const int result = znGeranApiInterfaceDll_CallboxMode_StartStop(7);
  printf("CallboxMode_StartStop(7) gave %d, the scenario library's answer %d\n", result, libraryResult);
  return result == libraryResult && ScenarioLib_CallCount() == 1 ? 0 : 1;
}

/* Every export linked through the public header and the import library, as a C program links
 * them: a prototype whose decoration the import library lacks fails the i686 link, and an import
 * the DLL does not export stops the loader before main. Then the calls a C caller's compiler can
 * get wrong, with no connection: a float argument, the decorated-only export and the forwarder. */
#include <GERANScenarioLib.h>
#include <export_list.h>
#include <znGeranApiInterfaceDll.h>

#include <stdio.h>

typedef void (*Export)(void);

/* External, so that neither the compiler nor the linker drops a reference. */
#define GERAN_REFERENCE(Name, Ordinal, Bytes, ExportedName) (Export) znGeranApiInterfaceDll_##Name,
const Export geranLinkedExports[] = {GERAN_EXPORT_LIST(GERAN_REFERENCE)};

static int failures = 0;

static void Expect(const char* call, int result, int expected) {
  if (result == expected) return;
  ++failures;
  printf("%s gave %d, expected %d\n", call, result, expected);
}

int main(void) {
  Expect("ChangeTxPower(-85.5f, 1)", znGeranApiInterfaceDll_ChangeTxPower(-85.5f, 1), 0);
  Expect("RemoteConnection_Set(1)", znGeranApiInterfaceDll_RemoteConnection_Set(1), -1);
  Expect("CallboxMode_StartStop(7)", znGeranApiInterfaceDll_CallboxMode_StartStop(7),
         scenarioLibDll_CallboxMode_StartStop(7));
  return failures == 0 ? 0 : 1;
}

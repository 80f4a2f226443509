// Smart pointers for the test set's interfaces and the COM interfaces the project uses, declared once.
#pragma once

#include <comdef.h>

#include <TestSetApi.h>

// GCC's comdef.h declares no smart pointers of its own; Visual C++'s declares the COM ones.
#ifndef _MSC_VER
_COM_SMARTPTR_TYPEDEF(IUnknown, __uuidof(IUnknown));
_COM_SMARTPTR_TYPEDEF(IDispatch, __uuidof(IDispatch));
_COM_SMARTPTR_TYPEDEF(IErrorInfo, __uuidof(IErrorInfo));
_COM_SMARTPTR_TYPEDEF(ICreateErrorInfo, __uuidof(ICreateErrorInfo));
_COM_SMARTPTR_TYPEDEF(ISupportErrorInfo, __uuidof(ISupportErrorInfo));
_COM_SMARTPTR_TYPEDEF(IClassFactory, __uuidof(IClassFactory));
_COM_SMARTPTR_TYPEDEF(ITypeLib, __uuidof(ITypeLib));
_COM_SMARTPTR_TYPEDEF(ITypeInfo, __uuidof(ITypeInfo));
#endif

_COM_SMARTPTR_TYPEDEF(TestSetApi, __uuidof(TestSetApi));
_COM_SMARTPTR_TYPEDEF(AuxSpeech, __uuidof(AuxSpeech));
_COM_SMARTPTR_TYPEDEF(BerMeasurement, __uuidof(BerMeasurement));
_COM_SMARTPTR_TYPEDEF(BerCounterGroup, __uuidof(BerCounterGroup));
_COM_SMARTPTR_TYPEDEF(BerCounterSet, __uuidof(BerCounterSet));
_COM_SMARTPTR_TYPEDEF(SimulatorControl, __uuidof(SimulatorControl));

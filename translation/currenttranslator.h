#pragma once
// The holder of the module's current translator, beyond getting it (velTranslator in translator.h).

// Releases the current translator and forgets that the translator service has answered, so the next
// get resolves again (as after load). At unload the translator is released all the same.
void velForgetTranslator();

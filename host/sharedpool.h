#pragma once
// The host's shared bucket pool: the pool of the host's own copy of the runtime, which the host offers
// to the modules it loads as "IBucketMemoryPool". Every module then takes its small blocks from, and
// gives them back to, this one pool.

class BucketMemoryPool;
class VelHostContext;

// The host's pool (created on first use); it lives until the process ends.
BucketMemoryPool* velHostSharedPool();

// Offers the host's pool through `context` under "IBucketMemoryPool".
void velOfferSharedPool(VelHostContext& context);

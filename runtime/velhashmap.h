#pragma once
// VelHashMap: a chained hash map whose bucket counts are primes from a fixed table, rehashing at load 0.8.

#include "runtime/velid.h"

#include <cstdint>
#include <cstdlib>
#include <new>

// The next prime of the table above n; the last entry for n at or above 1073741827.
uint32_t velNextPrime(uint64_t n);

template <class Key> struct VelHashTraits;

template <> struct VelHashTraits<VelID> {
    uint32_t hash(const VelID& id) const { return id.Data1; }
    bool equal(const VelID& a, const VelID& b) const { return a == b; }
};

template <class Key, class Value, class Traits = VelHashTraits<Key>> class VelHashMap {
public:
    struct Node {
        uint32_t bucket;
        Key key;
        Value value;
        Node* next;
    };

    explicit VelHashMap(uint32_t requestedSize = 0) : m_bucketCount(velNextPrime(requestedSize)) {}
    VelHashMap(const VelHashMap&) = delete;
    VelHashMap& operator=(const VelHashMap&) = delete;
    ~VelHashMap() { clear(); }

    Node* find(const Key& key, uint32_t* bucketOut = nullptr) const {
        const uint32_t index = m_hasher.hash(key) % m_bucketCount;
        if (bucketOut)
            *bucketOut = index;
        if (!m_buckets)
            return nullptr;
        for (Node* n = m_buckets[index]; n; n = n->next)
            if (m_hasher.equal(n->key, key))
                return n;
        return nullptr;
    }

    Value& findOrInsert(const Key& key) {
        uint32_t index = 0;
        if (Node* n = find(key, &index))
            return n->value;
        if (!m_buckets)
            m_buckets = allocateBuckets(m_bucketCount);
        Node* node = new Node{index, key, Value(), nullptr};
        link(node);
        return node->value;
    }

    void clear() {
        if (m_buckets) {
            for (uint32_t i = 0; i < m_bucketCount; ++i) {
                Node* n = m_buckets[i];
                while (n) {
                    Node* next = n->next;
                    delete n;
                    n = next;
                }
            }
            std::free(m_buckets);
        }
        m_buckets = nullptr;
        m_count = 0;
    }

    int32_t count() const { return m_count; }
    uint32_t bucketCount() const { return m_bucketCount; }

    Node* first() const { return firstFrom(0); }
    Node* next(const Node* n) const {
        if (!n)
            return nullptr;
        if (n->next)
            return n->next;
        return firstFrom(n->bucket + 1);
    }

    void rehash(uint32_t n) {
        if (n == 0 || n == m_bucketCount || !m_buckets)
            return;
        Node** fresh = allocateBuckets(n);
        for (uint32_t i = 0; i < m_bucketCount; ++i) {
            Node* node = m_buckets[i];
            while (node) {
                Node* next = node->next;
                node->bucket = m_hasher.hash(node->key) % n;
                node->next = fresh[node->bucket];
                fresh[node->bucket] = node;
                node = next;
            }
        }
        std::free(m_buckets);
        m_buckets = fresh;
        m_bucketCount = n;
    }

private:
    static Node** allocateBuckets(uint32_t n) {
        void* p = std::calloc(n, sizeof(Node*));
        if (!p)
            throw std::bad_alloc();
        return static_cast<Node**>(p);
    }

    Node* firstFrom(uint32_t index) const {
        if (!m_buckets)
            return nullptr;
        for (uint32_t i = index; i < m_bucketCount; ++i)
            if (m_buckets[i])
                return m_buckets[i];
        return nullptr;
    }

    void link(Node* node) {
        node->next = m_buckets[node->bucket];
        m_buckets[node->bucket] = node;
        ++m_count;
        if (double(m_count) >= 0.8 * double(m_bucketCount))
            rehash(velNextPrime(m_bucketCount));
    }

    Node** m_buckets = nullptr;
    uint32_t m_bucketCount;
    int32_t m_count = 0;
    Traits m_hasher;
};

// Reads back the compiled Windows resource (a .res file, or the resources of
// Tarvelo.exe itself) and checks the version record and the icon field by field.

#include <QFile>
#include <QTest>

#include <cstring>

namespace {

struct Resource {
    quint16 type = 0;
    quint16 name = 0;
    quint16 language = 0;
    QByteArray data;
};

quint16 word(const QByteArray &bytes, qsizetype at)
{
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

quint32 dword(const QByteArray &bytes, qsizetype at)
{
    return quint32(word(bytes, at)) | quint32(word(bytes, at + 2)) << 16;
}

qsizetype alignDword(qsizetype at)
{
    return (at + 3) & ~qsizetype(3);
}

// The .res file: a header a resource, numeric type and name (0xFFFF, id).
QList<Resource> readResources(const QByteArray &file)
{
    QList<Resource> resources;
    qsizetype at = 0;
    while (at + 32 <= file.size()) {
        const quint32 dataSize = dword(file, at);
        const quint32 headerSize = dword(file, at + 4);
        Resource resource;
        if (word(file, at + 8) == 0xFFFF && word(file, at + 12) == 0xFFFF) {
            resource.type = word(file, at + 10);
            resource.name = word(file, at + 14);
            resource.language = word(file, at + 16 + 6);
        }
        resource.data = file.mid(at + headerSize, dataSize);
        if (dataSize > 0)
            resources.append(resource);
        at = alignDword(at + headerSize + dataSize);
    }
    return resources;
}

// An executable: the resource tree (type, name, language) of its resource
// section, each leaf a data entry addressed in memory.
QList<Resource> readExeResources(const QByteArray &file)
{
    QList<Resource> resources;
    const qsizetype pe = dword(file, 0x3C);
    if (file.mid(pe, 4) != QByteArray("PE\0\0", 4))
        return resources;
    const quint16 sectionCount = word(file, pe + 6);
    const qsizetype optional = pe + 24;
    const qsizetype directories = optional + (word(file, optional) == 0x20B ? 112 : 96);
    const quint32 resourceAddress = dword(file, directories + 2 * 8);
    const qsizetype sections = optional + word(file, pe + 20);
    const auto fileOffset = [&](quint32 address) -> qsizetype {
        for (quint16 i = 0; i < sectionCount; ++i) {
            const qsizetype section = sections + 40 * i;
            const quint32 start = dword(file, section + 12);
            if (address >= start && address < start + dword(file, section + 8))
                return dword(file, section + 20) + (address - start);
        }
        return -1;
    };
    const qsizetype root = fileOffset(resourceAddress);
    if (root < 0)
        return resources;
    // Entries of a directory: (id, offset of the child from the root).
    const auto entries = [&](qsizetype directory) {
        QList<std::pair<quint32, quint32>> found;
        const int count = word(file, directory + 12) + word(file, directory + 14);
        for (int i = 0; i < count; ++i)
            found.append({dword(file, directory + 16 + 8 * i), dword(file, directory + 20 + 8 * i) & 0x7FFFFFFF});
        return found;
    };
    for (const auto &[type, names] : entries(root)) {
        for (const auto &[name, languages] : entries(root + names)) {
            for (const auto &[language, leaf] : entries(root + languages)) {
                Resource resource;
                resource.type = quint16(type);
                resource.name = quint16(name);
                resource.language = quint16(language);
                resource.data = file.mid(fileOffset(dword(file, root + leaf)), dword(file, root + leaf + 4));
                resources.append(resource);
            }
        }
    }
    return resources;
}

struct Block {
    QString key;
    QByteArray value; // raw value bytes
    QList<Block> children;
};

QString readKey(const QByteArray &bytes, qsizetype &at)
{
    QString key;
    for (; word(bytes, at) != 0; at += 2)
        key += QChar(word(bytes, at));
    at += 2;
    return key;
}

// One node of VS_VERSIONINFO: length, value length, type, key, value, children.
Block readBlock(const QByteArray &bytes, qsizetype start)
{
    Block block;
    const quint16 length = word(bytes, start);
    const quint16 valueLength = word(bytes, start + 2);
    const quint16 type = word(bytes, start + 4);
    qsizetype at = start + 6;
    block.key = readKey(bytes, at);
    at = alignDword(at);
    const qsizetype valueBytes = type == 1 ? valueLength * 2 : valueLength;
    block.value = bytes.mid(at, valueBytes);
    at = alignDword(at + valueBytes);
    while (at < start + length) {
        const Block child = readBlock(bytes, at);
        block.children.append(child);
        at = alignDword(at + word(bytes, at));
    }
    return block;
}

QString text(const QByteArray &utf16)
{
    QString result;
    for (qsizetype i = 0; i + 1 < utf16.size(); i += 2) {
        const quint16 c = word(utf16, i);
        if (c == 0)
            break;
        result += QChar(c);
    }
    return result;
}

} // namespace

class TestWindowsResource : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void shouldHoldIconGroupWithOneImage();
    void shouldHoldVersionRecordInOrder();

private:
    QList<Resource> m_resources;
    const Resource *find(quint16 type, quint16 name) const;
};

void TestWindowsResource::initTestCase()
{
    QFile file(QStringLiteral(TARVELO_RES_FILE));
    QVERIFY2(file.open(QIODevice::ReadOnly), TARVELO_RES_FILE);
    const QByteArray bytes = file.readAll();
    m_resources = bytes.startsWith("MZ") ? readExeResources(bytes) : readResources(bytes);
    QCOMPARE(m_resources.size(), 3);
}

const Resource *TestWindowsResource::find(quint16 type, quint16 name) const
{
    for (const Resource &resource : m_resources) {
        if (resource.type == type && resource.name == name)
            return &resource;
    }
    return nullptr;
}

void TestWindowsResource::shouldHoldIconGroupWithOneImage()
{
    const Resource *group = find(14, 1);
    QVERIFY(group);
    QCOMPARE(group->data.size(), 20);
    QCOMPARE(word(group->data, 2), quint16(1)); // icons
    QCOMPARE(word(group->data, 4), quint16(1)); // one image
    QCOMPARE(quint8(group->data[6]), quint8(32));
    QCOMPARE(quint8(group->data[7]), quint8(32));
    QCOMPARE(word(group->data, 10), quint16(1)); // planes
    QCOMPARE(word(group->data, 12), quint16(8)); // bits a pixel
    QCOMPARE(dword(group->data, 14), quint32(2216));
    QCOMPARE(word(group->data, 18), quint16(30001));

    const Resource *image = find(3, 30001);
    QVERIFY(image);
    QCOMPARE(image->data.size(), 2216);
    QCOMPARE(dword(image->data, 0), quint32(40)); // BITMAPINFOHEADER
    QCOMPARE(qint32(dword(image->data, 4)), 32); // width
    QCOMPARE(qint32(dword(image->data, 8)), 64); // height, image and mask
    QCOMPARE(word(image->data, 14), quint16(8));
    QFile ico(QStringLiteral(TARVELO_ICO_FILE));
    QVERIFY(ico.open(QIODevice::ReadOnly));
    QCOMPARE(image->data, ico.readAll().mid(22));
    for (const Resource &resource : m_resources)
        QCOMPARE(resource.language, quint16(0x0C0A));
}

void TestWindowsResource::shouldHoldVersionRecordInOrder()
{
    const Resource *version = find(16, 1);
    QVERIFY(version);
    const Block root = readBlock(version->data, 0);
    QCOMPARE(root.key, QString("VS_VERSION_INFO"));
    QCOMPARE(root.value.size(), 52);
    const QByteArray &fixed = root.value;
    QCOMPARE(dword(fixed, 0), quint32(0xFEEF04BD));
    QCOMPARE(dword(fixed, 8), quint32(0x00010000)); // file version 1.0
    QCOMPARE(dword(fixed, 12), quint32(0x00000000)); // .0.0
    QCOMPARE(dword(fixed, 16), quint32(0x00010000)); // product version 1.0
    QCOMPARE(dword(fixed, 20), quint32(0x00000000));
    QCOMPARE(dword(fixed, 24), quint32(0)); // flags mask
    QCOMPARE(dword(fixed, 28), quint32(0)); // flags
    QCOMPARE(dword(fixed, 32), quint32(4)); // 32-bit Windows
    QCOMPARE(dword(fixed, 36), quint32(1)); // application
    QCOMPARE(dword(fixed, 40), quint32(0)); // subtype
    QCOMPARE(dword(fixed, 44), quint32(0)); // date
    QCOMPARE(dword(fixed, 48), quint32(0));

    QCOMPARE(root.children.size(), 2);
    const Block &varInfo = root.children[0];
    QCOMPARE(varInfo.key, QString("VarFileInfo"));
    QCOMPARE(varInfo.children.size(), 1);
    QCOMPARE(varInfo.children[0].key, QString("Translation"));
    QCOMPARE(varInfo.children[0].value.size(), 4);
    QCOMPARE(word(varInfo.children[0].value, 0), quint16(0x0C0A));
    QCOMPARE(word(varInfo.children[0].value, 2), quint16(0x04B0));

    const Block &stringInfo = root.children[1];
    QCOMPARE(stringInfo.key, QString("StringFileInfo"));
    QCOMPARE(stringInfo.children.size(), 1);
    const Block &table = stringInfo.children[0];
    QCOMPARE(table.key, QString("0C0A04B0"));
    QStringList pairs;
    for (const Block &entry : table.children)
        pairs << entry.key + "=" + text(entry.value);
    QCOMPARE(pairs,
             QStringList({"ProductName=Tarvelo", "FileVersion=1.00", "ProductVersion=1.00", "InternalName=Tarvelo",
                          "OriginalFilename=Tarvelo.exe"}));
}

QTEST_GUILESS_MAIN(TestWindowsResource)
#include "tst_windowsresource.moc"

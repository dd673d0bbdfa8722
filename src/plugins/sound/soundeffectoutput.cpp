// The plugin "numiksound": SoundOutput through QSoundEffect, one effect per file, each loaded
// once and kept, so that every answer after the first starts its sound without reading a file.

#include "plugins/sound/soundoutput.h"

#include <QSoundEffect>
#include <QUrl>

#include <map>
#include <memory>

namespace {

class SoundEffectOutput final : public SoundOutput
{
public:
    void preload(const QStringList &paths) override
    {
        for (const QString &path : paths)
            effect(path);
    }

    void play(const QString &path) override
    {
        QSoundEffect &next = effect(path);
        if (m_playing && m_playing != &next)
            m_playing->stop();
        next.stop();
        next.play(); // a play before the file is loaded starts as soon as it is
        m_playing = &next;
    }

private:
    QSoundEffect &effect(const QString &path)
    {
        std::unique_ptr<QSoundEffect> &slot = m_effects[path];
        if (!slot) {
            slot = std::make_unique<QSoundEffect>();
            slot->setSource(QUrl::fromLocalFile(path));
        }
        return *slot;
    }

    std::map<QString, std::unique_ptr<QSoundEffect>> m_effects;
    QSoundEffect *m_playing = nullptr;
};

class SoundEffectPlugin final : public QObject, public SoundOutputFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID NumikSoundOutputFactory_iid FILE "numikplugin.json")
    Q_INTERFACES(SoundOutputFactory)

public:
    std::unique_ptr<SoundOutput> createSoundOutput() override { return std::make_unique<SoundEffectOutput>(); }
};

} // namespace

#include "soundeffectoutput.moc"

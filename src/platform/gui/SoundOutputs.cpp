#include "gui/SoundOutputs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSoundEffect>
#include <QUrl>

namespace fw {

namespace {

void ReleaseOutput(QSoundEffect* effect)
{
    // Qt decodes the file on a thread of its own; an effect deleted while it loads can leave
    // that thread and the shutdown waiting for each other.
    QElapsedTimer waited;
    waited.start();
    while (effect->status() == QSoundEffect::Loading && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    delete effect;
}

}

SoundOutputs::~SoundOutputs()
{
    if (!m_abandoned)
        releaseAll();
}

QSoundEffect& SoundOutputs::outputFor(const Sound& sound, const std::filesystem::path& file)
{
    QSoundEffect*& effect = m_outputs[&sound];
    if (!effect) {
        effect = new QSoundEffect;
        effect->setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())));
    }
    return *effect;
}

void SoundOutputs::release(const Sound& sound)
{
    if (m_abandoned)
        return;
    auto output = m_outputs.find(&sound);
    if (output == m_outputs.end())
        return;
    QSoundEffect* effect = output->second;
    m_outputs.erase(output);
    ReleaseOutput(effect);
}

void SoundOutputs::releaseAll()
{
    std::map<const Sound*, QSoundEffect*> outputs;
    outputs.swap(m_outputs);
    for (const auto& [sound, effect] : outputs)
        ReleaseOutput(effect);
}

}

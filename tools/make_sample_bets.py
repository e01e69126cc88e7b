#!/usr/bin/env python3
"""Writes the sample bet files of samples/ (GBK, CR LF) with a fixed random seed.

Run from anywhere: python3 tools/make_sample_bets.py
Every file is rewritten; the same seed gives the same bytes.
"""
import os
import random

SEED = 20240607
HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = os.path.join(HERE, '..', 'samples')


def write(name, lines):
    data = ''.join(line + '\r\n' for line in lines).encode('gbk')
    with open(os.path.join(SAMPLES, name), 'wb') as f:
        f.write(data)


def pick(rng, count, low, high):
    return sorted(rng.sample(range(low, high + 1), count))


def two(numbers):
    return ['%02d' % n for n in numbers]


def shuangseqiu(rng):
    # 6 red of 01-33, "+", 1 blue of 01-16, blanks between the numbers.
    return ' '.join(two(pick(rng, 6, 1, 33))) + '+' + '%02d' % rng.randint(1, 16)


def daletou(rng):
    return two(pick(rng, 5, 1, 35)), two(pick(rng, 2, 1, 12))


def qilecai(rng):
    return ','.join(two(pick(rng, 7, 1, 30)))


def main():
    rng = random.Random(SEED)
    os.makedirs(SAMPLES, exist_ok=True)

    write('陕西－双色球.txt', [shuangseqiu(rng) for _ in range(300)])

    # Each line starts with the exporting program's own stake number.
    lines = []
    for i in range(1, 301):
        front, back = daletou(rng)
        lines.append('%04d\t%s|%s' % (i, ' '.join(front), ' '.join(back)))
    write('体彩－超级大乐透-含注序号.txt', lines)

    # A few lines are broken the way hand-edited files break: empty, separators only, a letter
    # O for a zero, a number out of range, a stake with a number missing.
    lines = [qilecai(rng) for _ in range(300)]
    lines[4] = ''
    lines[37] = '------'
    good = lines[90].split(',')
    lines[90] = ','.join(good[:-1] + ['O' + good[-1][1:]])
    lines[151] = ','.join(good[:-1] + ['36'])
    lines[152] = ''
    lines[222] = ','.join(lines[222].split(',')[:6])
    write('七乐彩-含错误行.txt', lines)

    # Three digits 0-9 with blanks, and the same game written as one digit string.
    write('福彩3D.txt', [' '.join(str(rng.randint(0, 9)) for _ in range(3)) for _ in range(300)])
    write('福彩3D-连写.txt', [''.join(str(rng.randint(0, 9)) for _ in range(3)) for _ in range(100)])

    # Inputs of the sample conversion scripts in resources/Script/.
    lines = ['双色球投注单 共 200 注', '']
    for i in range(1, 201):
        colon = ':' if i % 3 else '：'
        label = '第%d注' % i if i % 2 else '单式'
        lines.append(label + colon + shuangseqiu(rng))
    write('脚本输入-冒号标签.txt', lines)

    lines = []
    for _ in range(20):
        reds = rng.randint(6, 9)
        blues = rng.randint(1, 3)
        lines.append(' '.join(two(pick(rng, reds, 1, 33))) + '+' + ' '.join(two(pick(rng, blues, 1, 16))))
    write('脚本输入-复式.txt', lines)

    lines = []
    for _ in range(100):
        stake = shuangseqiu(rng)
        times = rng.choice([1, 1, 1, 2, 2, 3, 5, 10])
        lines.append(stake if times == 1 else stake + ' ' + rng.choice(['x', 'X', '×']) + str(times))
    write('脚本输入-倍数.txt', lines)


if __name__ == '__main__':
    main()
